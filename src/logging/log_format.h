// The two external formats of a logging run: the CSV file (a header pair, then one row per
// record, CR LF line ends) and the coloured console block echoed for every record. Both are
// built from the slot table as it stands and the run's selection; the texts are exact.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gpu/gpu_slots.h"
#include "logging/log_settings.h"

namespace logging {

// The local time of one record pass; every time stamp of the pass uses it.
struct LogTime {
  int year = 0;   // four digits
  int month = 0;  // 1-12
  int day = 0;
  int hour = 0;  // 0-23
  int minute = 0;
  int second = 0;
};

// Console character attributes of the block.
inline constexpr std::uint16_t kNameAttribute = 11;  // bright cyan
inline constexpr std::uint16_t kValueAttribute = 5;  // magenta
inline constexpr std::uint16_t kPlainAttribute = 7;  // light grey, the console default

// Where the console block goes: texts, each written in the attribute set last. A sink may hold
// texts back until Flush, which ends every pass.
class ConsoleSink {
 public:
  virtual ~ConsoleSink() = default;
  virtual void SetAttribute(std::uint16_t attribute) = 0;
  virtual void Write(std::string_view text) = 0;
  virtual void Flush() {}
};

enum class FanClass { kTwoFans, kOneFan, kSingleValues };
FanClass FanClassOf(const gpu::GpuSlot& slot);

// The two header lines: the GPU names above their column groups, then the column names.
std::string BuildLogHeader(const gpu::SlotTable& table, const LogSelection& selection);
// One row: every enabled GPU's time stamp and fields, each ending in ",", then CR LF.
std::string BuildLogRow(const gpu::SlotTable& table, const LogSelection& selection,
                        const LogTime& time);

// The parts of a pass's console block, in the order a pass writes them.
void WriteConsoleTimeLine(ConsoleSink& sink, const LogTime& time);
void WriteConsoleGpus(ConsoleSink& sink, const gpu::SlotTable& table,
                      const LogSelection& selection);
void WriteConsoleEndLine(ConsoleSink& sink);

// "csvファイルが見つかりません\n", in code page 932: the file could not be opened.
inline constexpr std::string_view kFileMissingText =
    "\x63\x73\x76\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82"
    "\xDC\x82\xB9\x82\xF1\x0A";
// "csvファイルに書き込めません\n", in code page 932: the row could not be written whole and
// the file was cut back to its length before it.
inline constexpr std::string_view kRowNotWrittenText =
    "\x63\x73\x76\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82"
    "\xDC\x82\xB9\x82\xF1\x0A";

}  // namespace logging
