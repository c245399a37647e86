// What a logging run writes: which of the twelve metrics, which GPUs, and how often. One record
// for the process, filled by the log settings dialog when the user confirms it and read by the
// logging thread.
#pragma once

#include <array>
#include <cstdint>

#include "gpu/gpu_slots.h"

namespace logging {

// The metrics in the order of their dialog check boxes (the storage order of `itemEnabled`).
enum LogItem : int {
  kGraphicsClock = 0,
  kMemoryClock = 1,
  kGpuLoad = 2,
  kMemoryUsage = 3,
  kVideoEngineLoad = 4,
  kTemperature = 5,
  kFanLevel = 6,
  kFanRpm = 7,
  kPowerDraw = 8,
  kPState = 9,
  kMemoryControllerLoad = 10,
  kBusInterfaceLoad = 11,
};
inline constexpr int kLogItemCount = 12;

// The order in which the CSV columns and the console lines follow each other.
inline constexpr std::array<LogItem, kLogItemCount> kOutputOrder = {
    kGraphicsClock,        kMemoryClock,      kGpuLoad,   kMemoryUsage,
    kVideoEngineLoad,      kTemperature,      kPowerDraw, kPState,
    kMemoryControllerLoad, kBusInterfaceLoad, kFanLevel,  kFanRpm};

inline constexpr std::int32_t kDefaultIntervalMs = 1000;

struct LogSettings {
  LogSettings();
  std::array<gpu::Flag, kLogItemCount> itemEnabled;
  std::array<gpu::Flag, gpu::kMaxGpus> gpuEnabled;
  gpu::I32 intervalMs{kDefaultIntervalMs};
};

// A plain copy of the choice, taken when a logging run starts: its header and all its rows
// are written from the same selection.
struct LogSelection {
  std::array<bool, kLogItemCount> items{};
  std::array<bool, gpu::kMaxGpus> gpus{};
  bool Has(LogItem item) const { return items[static_cast<std::size_t>(item)]; }
};

LogSelection SelectionOf(const LogSettings& settings);

LogSettings& ProcessLogSettings();

}  // namespace logging
