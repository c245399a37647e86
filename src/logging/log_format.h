// The two external formats of a logging run: the CSV file (a header pair, then one row per
// record, CR LF line ends) and the coloured console block echoed for every record. Both are
// built from one copy of the logged GPUs' readings and the run's selection, so the row and the
// block of a pass show the same sample; the texts are exact.
#pragma once

#include <array>
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

// What the log writes of one GPU, copied from its slot once per pass.
struct GpuReadings {
  std::string name;  // in the runtime library's current multibyte code page
  std::uint32_t graphicsKHz = 0;
  std::uint32_t memoryKHz = 0;
  std::uint32_t gpuLoad = 0;
  std::uint32_t memUsedKiB = 0;
  std::uint32_t videoEngineLoad = 0;
  std::int32_t temperature = 0;
  bool hasPower = false;
  std::uint32_t powerDraw = 0;
  std::uint32_t pstate = 0;
  std::uint32_t memCtrlLoad = 0;
  std::uint32_t busLoad = 0;
  bool hasFanCoolerStatus = false;
  std::uint32_t fanCoolerCount = 0;
  std::uint32_t fanLevelPair[2] = {};
  std::uint32_t fanRpmPair[2] = {};
  bool hasFanLevel = false;
  std::uint32_t fanLevel = 0;
  bool hasFanRpm = false;
  std::uint32_t fanRpm = 0;
};

// The readings of every GPU the selection logs, in index order.
struct LogReadings {
  int count = 0;
  std::array<GpuReadings, gpu::kMaxGpus> gpus;
};

LogReadings TakeLogReadings(const gpu::SlotTable& table, const LogSelection& selection);

enum class FanClass { kTwoFans, kOneFan, kSingleValues };
FanClass FanClassOf(const GpuReadings& gpu);

// The two header lines: the GPU names above their column groups, then the column names.
std::string BuildLogHeader(const LogReadings& readings, const LogSelection& selection);
// One row: every logged GPU's time stamp and fields, each ending in ",", then CR LF.
std::string BuildLogRow(const LogReadings& readings, const LogSelection& selection,
                        const LogTime& time);

// The end of every line of the file.
inline constexpr std::string_view kLineEnd = "\r\n";

// The parts of a pass's console block, in the order a pass writes them.
void WriteConsoleTimeLine(ConsoleSink& sink, const LogTime& time);
void WriteConsoleGpus(ConsoleSink& sink, const LogReadings& readings,
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

// "csvファイルに書けない行が上限に達したため、古い行から捨てています\n", in code page 932: the
// rows kept for a file that takes none have reached their limit, and the oldest go.
inline constexpr std::string_view kKeptRowsDroppedText =
    "csv\x83t\x83@\x83"
    "C\x83\x8B\x82\xC9\x8F\x91\x82\xAF\x82\xC8\x82\xA2\x8Ds\x82\xAA\x8F\xE3\x8C\xC0\x82\xC9\x92"
    "B\x82\xB5\x82\xBD\x82\xBD\x82\xDF\x81"
    "A\x8C\xC3\x82\xA2\x8Ds\x82\xA9\x82\xE7\x8E\xCC\x82\xC4\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x0A";
// "csvファイルに書けなかった %d 行は失われました\n", in code page 932, a printf format: the rows
// still kept when a run ends.
inline constexpr const char* kKeptRowsLostFormat =
    "csv\x83t\x83@\x83"
    "C\x83\x8B\x82\xC9\x8F\x91\x82\xAF\x82\xC8\x82\xA9\x82\xC1\x82\xBD %d "
    "\x8Ds\x82\xCD\x8E\xB8\x82\xED\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x0A";

}  // namespace logging
