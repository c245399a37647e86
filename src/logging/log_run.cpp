#include "logging/log_run.h"

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

}  // namespace

LogRun MakeLogRun(const gpu::SlotTable& table, const LogSettings& settings, const char* path) {
  LogRun run;
  run.number = table.csvRunNumber.Load();
  for (std::size_t i = 0; i + 1 < sizeof run.path && path[i] != '\0'; ++i) run.path[i] = path[i];
  run.selection = SelectionOf(settings);
  return run;
}

void WriteLogHeader(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run) {
  const platform::GatedWrite write(platform::ProcessWriteGate());
  if (!write.Open()) return;
  AppendWhole(platform.File(), run.path, BuildLogHeader(table, run.selection));
}

void WriteLogRecord(LogPlatform& platform, const gpu::SlotTable& table, const LogRun& run) {
  if (table.osSupported.Load() == 0) return;
  const platform::GatedWrite write(platform::ProcessWriteGate());
  if (!write.Open()) return;  // the program is closing
  const LogTime time = platform.Now();
  ConsoleSink& console = platform.Console();
  WriteConsoleTimeLine(console, time);
  switch (AppendWhole(platform.File(), run.path, BuildLogRow(table, run.selection, time))) {
    case AppendResult::kNotOpened:
      console.Write(kFileMissingText);
      break;
    case AppendResult::kWritten:
      WriteConsoleGpus(console, table, run.selection);
      break;
    case AppendResult::kRolledBack:
    case AppendResult::kDamaged:
      WriteConsoleGpus(console, table, run.selection);
      console.Write(kRowNotWrittenText);
      break;
  }
  WriteConsoleEndLine(console);
  console.Flush();
}

int RunLogging(LogPlatform& platform, const gpu::SlotTable& table, const LogSettings& settings,
               const LogRun& run) {
  WriteLogHeader(platform, table, run);
  if (platform.OpenConsole()) {
    WriteLogRecord(platform, table, run);
    // The flags are tested after a pass: a stop during a wait still lets the pass at its end
    // run. A newer run, though, takes over at once: this one ends without writing.
    while (GoesOn(table, run)) {
      platform.SleepMs(IntervalMs(settings));
      if (!IsCurrent(table, run)) break;
      WriteLogRecord(platform, table, run);
    }
  }
  platform.CloseConsole();
  return 0;
}

}  // namespace logging
