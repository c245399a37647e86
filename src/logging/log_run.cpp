#include "logging/log_run.h"

#include <cstdio>

#include "gpu/bounded_text.h"
#include "platform/write_gate.h"

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

void ReportLostRows(LogPlatform& platform, const RowBacklog& kept) {
  if (kept.Rows() == 0) return;
  const platform::GatedWrite write(platform::ProcessWriteGate());
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
  const platform::GatedWrite write(platform::ProcessWriteGate());
  if (!write.Open()) return;
  std::string header = BuildLogHeader(TakeLogReadings(table, run.selection), run.selection);
  if (AppendWhole(platform.File(), run.path, header) != AppendResult::kWritten) {
    kept.KeepHeader(std::move(header));
  }
}

void WriteLogRecord(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run,
                    RowBacklog& kept) {
  if (table.osSupported.Load() == 0) return;
  const platform::GatedWrite write(platform::ProcessWriteGate());
  if (!write.Open()) return;  // the program is closing
  const LogTime time = platform.Now();
  // One copy of the readings serves the row and the block: the sampling thread may store a
  // newer sample while the row is written.
  const LogReadings readings = TakeLogReadings(table, run.selection);
  ConsoleSink& console = platform.Console();
  WriteConsoleTimeLine(console, time);
  // The row goes after the rows kept before it, and stays kept with them when the file takes
  // none.
  const bool dropping = kept.Keep(BuildLogRow(readings, run.selection, time));
  switch (kept.AppendTo(platform.File(), run.path)) {
    case AppendResult::kNotOpened:
      console.Write(kFileMissingText);
      break;
    case AppendResult::kWritten:
      WriteConsoleGpus(console, readings, run.selection);
      break;
    case AppendResult::kRolledBack:
    case AppendResult::kDamaged:
      WriteConsoleGpus(console, readings, run.selection);
      console.Write(kRowNotWrittenText);
      break;
  }
  if (dropping) console.Write(kKeptRowsDroppedText);
  WriteConsoleEndLine(console);
  console.Flush();
}

int RunLogging(LogPlatform& platform, const gpu::SlotTable& table, const LogSettings& settings,
               const LogRun& run) {
  RowBacklog kept;
  kept.LimitToIntervalMs(IntervalMs(settings));
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
