// Slot tables for the log format tests: GPUs with chosen readings, and a console sink that keeps
// every text with the attribute it was written in.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gpu/gpu_slots.h"
#include "logging/log_format.h"
#include "logging/log_settings.h"

namespace testing_support {

inline void SetFans(gpu::GpuSlot& slot, int fans, unsigned level1, unsigned level2, unsigned rpm1,
                    unsigned rpm2) {
  slot.hasFanCoolerStatus.Store(1);
  slot.fanCoolerCount.Store(static_cast<unsigned>(fans));
  slot.fanLevelPair[0].Store(level1);
  slot.fanLevelPair[1].Store(level2);
  slot.fanRpmPair[0].Store(rpm1);
  slot.fanRpmPair[1].Store(rpm2);
}

// The two GPUs of the record-format example: GPU-A with one fan, GPU-B with two fans and no
// power reading.
inline void FillExampleGpus(gpu::SlotTable& table) {
  table.gpuCount.Store(2);
  gpu::GpuSlot& a = table.slots[0];
  a.gpuName.Store(L"GPU-A");
  a.clockCurrent[gpu::kGraphics].Store(1830500);
  a.memUsedKiB.Store(2097664);
  a.temperature.Store(65);
  a.hasPower.Store(1);
  a.powerDraw.Store(215300);
  SetFans(a, 1, 45, 0, 1500, 0);
  gpu::GpuSlot& b = table.slots[1];
  b.gpuName.Store(L"GPU-B");
  b.clockCurrent[gpu::kGraphics].Store(1755000);
  b.memUsedKiB.Store(1048576);
  b.temperature.Store(71);
  SetFans(b, 2, 40, 42, 1400, 1450);
}

inline logging::LogSelection Select(std::vector<logging::LogItem> items, int gpus = 8) {
  logging::LogSelection selection;
  for (const logging::LogItem item : items) selection.items[static_cast<std::size_t>(item)] = true;
  for (int i = 0; i < gpus; ++i) selection.gpus[static_cast<std::size_t>(i)] = true;
  return selection;
}

inline logging::LogSelection ExampleSelection() {
  using namespace logging;
  return Select({kGraphicsClock, kMemoryUsage, kTemperature, kPowerDraw, kFanLevel, kFanRpm});
}

inline constexpr logging::LogTime kExampleTime{2024, 5, 17, 9, 3, 7};

// The header, a row and a console block of the table as it stands, each from its own copy of the
// readings.
inline std::string Header(const gpu::SlotTable& table, const logging::LogSelection& selection) {
  return logging::BuildLogHeader(logging::TakeLogReadings(table, selection), selection);
}
inline std::string Row(const gpu::SlotTable& table, const logging::LogSelection& selection,
                       const logging::LogTime& time = kExampleTime) {
  return logging::BuildLogRow(logging::TakeLogReadings(table, selection), selection, time);
}
inline void ConsoleGpus(logging::ConsoleSink& sink, const gpu::SlotTable& table,
                        const logging::LogSelection& selection) {
  logging::WriteConsoleGpus(sink, logging::TakeLogReadings(table, selection), selection);
}

class RecordingConsole final : public logging::ConsoleSink {
 public:
  void SetAttribute(std::uint16_t value) override { attribute = value; }
  void Write(std::string_view text) override { writes.emplace_back(attribute, text); }
  std::string Text() const {
    std::string all;
    for (const auto& write : writes) all += write.second;
    return all;
  }
  int attribute = -1;  // -1: the console's own, never set
  std::vector<std::pair<int, std::string>> writes;
};

// The console block's text for the GPUs, without its time and end lines.
inline std::string ConsoleText(const gpu::SlotTable& table,
                               const logging::LogSelection& selection) {
  RecordingConsole console;
  ConsoleGpus(console, table, selection);
  return console.Text();
}

}  // namespace testing_support
