#include "logging/log_run.h"

#include <cstdio>
#include <mutex>
#include <optional>

#include "gpu/bounded_text.h"
#include "platform/lasting.h"

namespace logging {
namespace {

bool IsCurrent(const gpu::SlotTable& table, const LogRun& run) {
  return table.csvRunNumber.Load() == run.number;
}

bool GoesOn(const gpu::SlotTable& table, const LogRun& run) {
  return table.appRunning.Load() != 0 && table.csvActive.Load() != 0 && IsCurrent(table, run);
}

std::uint32_t IntervalMs(const LogSettings& settings) {
  const std::int32_t interval = settings.intervalMs.Load();
  return interval > 0 ? static_cast<std::uint32_t>(interval)
                      : static_cast<std::uint32_t>(kDefaultIntervalMs);
}

// One writer at a time in the process: two runs that overlap for up to one interval never
// interleave their bytes, and one's cut-back never takes the other's.
std::mutex& WriterLock() {
  static platform::Lasting<std::mutex> lock;
  return lock.Get();
}

// The kept header and rows, batch by batch. Each batch holds the writer lock and the write gate
// only while it is written, so that closing the program waits for one batch at most; no batch
// begins once the program is closing or a newer run has begun. Nothing when the pass stopped
// between batches.
std::optional<AppendResult> AppendKept(LogPlatform& platform, const gpu::SlotTable& table,
                                       const LogRun& run, RowBacklog& kept) {
  while (!kept.Empty()) {
    const std::lock_guard<std::mutex> writer(WriterLock());
    const platform::GatedWrite write(platform.Gate());
    if (!write.Open() || !IsCurrent(table, run)) return std::nullopt;
    const AppendResult result = kept.AppendBatch(platform.File(), run.path);
    if (result != AppendResult::kWritten) return result;
  }
  return AppendResult::kWritten;
}

void ReportLostRows(LogPlatform& platform, const RowBacklog& kept) {
  if (kept.Rows() == 0) return;
  const std::lock_guard<std::mutex> writer(WriterLock());
  const platform::GatedWrite write(platform.Gate());
  if (!write.Open()) return;
  char text[160];
  std::snprintf(text, sizeof text, kKeptRowsLostFormat, static_cast<int>(kept.Rows()));
  platform.Console().Write(text);
  platform.Console().Flush();
}

}  // namespace

LogRun MakeLogRun(const gpu::SlotTable& table, const LogSettings& settings, const char* path) {
  LogRun run;
  run.number = table.csvRunNumber.Load();
  gpu::BoundedText(run.path).Append(path);
  run.selection = SelectionOf(settings);
  return run;
}

void WriteLogHeader(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run,
                    RowBacklog& kept) {
  kept.KeepHeader(BuildLogHeader(TakeLogReadings(table, run.selection), run.selection));
  AppendKept(platform, table, run, kept);
}

void WriteLogRecord(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run,
                    RowBacklog& kept) {
  if (table.osSupported.Load() == 0) return;
  const LogTime time = platform.Now();
  // One copy of the readings serves the row and the block: the sampling thread may store a
  // newer sample while the row is written.
  const LogReadings readings = TakeLogReadings(table, run.selection);
  // The row goes after the rows kept before it, and stays kept with them when the file takes
  // none.
  const bool dropping = kept.Keep(BuildLogRow(readings, run.selection, time));
  const std::optional<AppendResult> appended = AppendKept(platform, table, run, kept);
  const std::lock_guard<std::mutex> writer(WriterLock());
  const platform::GatedWrite write(platform.Gate());
  if (!write.Open()) return;  // the program is closing
  ConsoleSink& console = platform.Console();
  WriteConsoleTimeLine(console, time);
  if (appended == AppendResult::kNotOpened) {
    console.Write(kFileMissingText);
  } else {
    WriteConsoleGpus(console, readings, run.selection);
    if (appended != AppendResult::kWritten) console.Write(kRowNotWrittenText);
  }
  if (dropping) console.Write(kKeptRowsDroppedText);
  WriteConsoleEndLine(console);
  console.Flush();
}

int RunLogging(LogPlatform& platform, const gpu::SlotTable& table, const LogSettings& settings,
               const LogRun& run) {
  RowBacklog kept;  // limited to the run's interval after each wait; one row fits any limit
  WriteLogHeader(platform, table, run, kept);
  if (platform.OpenConsole()) {
    WriteLogRecord(platform, table, run, kept);
    // The flags are tested after a pass: a stop during a wait still lets the pass at its end
    // run. A newer run, though, takes over at once: this one ends without writing.
    while (GoesOn(table, run)) {
      platform.SleepMs(IntervalMs(settings));
      if (!IsCurrent(table, run)) break;
      kept.LimitToIntervalMs(IntervalMs(settings));
      WriteLogRecord(platform, table, run, kept);
    }
    ReportLostRows(platform, kept);
  }
  platform.CloseConsole();
  return 0;
}

}  // namespace logging
