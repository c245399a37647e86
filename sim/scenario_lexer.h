// Splitting scenario text into lines and words, and reading numbers from words.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sim {

inline constexpr std::size_t kMaxLineLength = 1024;
inline constexpr std::size_t kMaxScenarioBytes = 1 << 20;

// The line without its comment ('#' to the end) and without surrounding blanks.
std::string_view StripComment(std::string_view line);

std::vector<std::string_view> SplitWords(std::string_view line);

// A decimal or 0x-prefixed hexadecimal integer with an optional sign; nothing else.
std::optional<std::int64_t> ParseInteger(std::string_view word);

// Walks the text line by line; '\n' ends a line, a '\r' before it is dropped.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view* line);
  std::size_t LineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t lineNumber_ = 0;
};

}  // namespace sim
