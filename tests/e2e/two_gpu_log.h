// What a log of tests/scenarios/e2e-log-two-gpus.txt holds. Its readings never change, so every
// line is known but for the time stamps: Alpha (two fans through the fan-cooler status) writes
// both fans' columns, Beta (one fan through the cooler query) its single values and an empty
// power field.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

inline constexpr const char* kTwoGpuLogScenario = "e2e-log-two-gpus.txt";

// The header pair and the rows with all twelve items selected.
extern const std::string kAllItemsNames;
extern const std::string kAllItemsColumns;
std::string AllItemsRow(const std::string& stamp);
// The same with only Graphics Clock and Temperature selected.
extern const std::string kTwoItemsNames;
extern const std::string kTwoItemsColumns;
std::string TwoItemsRow(const std::string& stamp);

using RowOfStamp = std::string (*)(const std::string&);

// Lines [from, to) are rows of one pass each: a valid time stamp, the same for both GPUs, the
// row `expected` gives for it, and time stamps that never go back.
void ExpectRows(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                RowOfStamp expected);
// A run of all items from line `at` to the end: the header pair, then its rows.
void ExpectAllItemsRunAt(const std::vector<std::string>& lines, std::size_t at);
// Each row from line `from` on follows the one before by `least` to `most` seconds.
void ExpectStampGaps(const std::vector<std::string>& lines, std::size_t from, long long least,
                     long long most);

}  // namespace e2e
