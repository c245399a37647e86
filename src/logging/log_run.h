// A logging run: the header pair once, then one record pass at once and one per interval, each
// pass a CSV row and a console block, until the CSV box is turned off, the program stops or a
// newer run has begun. The thread glue passes the system's console, files, clock and sleep.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"
#include "logging/log_format.h"
#include "logging/log_settings.h"
#include "logging/record_file.h"
#include "logging/row_backlog.h"
#include "platform/write_gate.h"

namespace logging {

// What a run needs from the system.
class LogPlatform {
 public:
  virtual ~LogPlatform() = default;
  // Attaches to the console of the starting process or makes one; false when no console
  // output can be had, and then the run writes no record.
  virtual bool OpenConsole() = 0;
  // Releases the console; called once at the end of every run, whether it opened or not.
  virtual void CloseConsole() = 0;
  virtual ConsoleSink& Console() = 0;
  virtual RecordFile& File() = 0;
  virtual LogTime Now() = 0;
  virtual void SleepMs(std::uint32_t milliseconds) = 0;
  // The door of the process's writes, shut when the program closes.
  virtual platform::WriteGate& Gate() = 0;
};

// One run as it was started: its number, its file and its selection.
struct LogRun {
  std::int32_t number = 0;
  char path[platform::kPathSize] = {};
  LogSelection selection;
};

// A run for the path and the settings as they stand, numbered as the newest run of `table`.
LogRun MakeLogRun(const gpu::SlotTable& table, const LogSettings& settings, const char* path);

// The header pair, appended whole; kept in `kept`, with no message, when the file cannot take
// it.
void WriteLogHeader(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run,
                    RowBacklog& kept);
// One record pass: a console block and a CSV row, appended after whatever `kept` holds, or kept
// with it when the file cannot take it.
void WriteLogRecord(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run,
                    RowBacklog& kept);
// The whole run; the interval is read afresh from `settings` before every wait. Rows still kept
// when it ends are lost, and the console says how many.
int RunLogging(LogPlatform& platform, const gpu::SlotTable& table, const LogSettings& settings,
               const LogRun& run);

}  // namespace logging
