// The simulator's one process-wide state: the scenario in force, the sample and call counters,
// and what the program has initialised. Guarded by one mutex.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "scenario.h"

namespace sim {

struct GpuCounters {
  std::array<std::uint64_t, kReadingCount> samples{};  // values handed out, per reading
  std::array<std::uint32_t, kFunctionCount> calls{};   // calls that named this GPU
};

struct SimState {
  bool loaded = false;
  std::uint64_t generation = 0;  // rises with every scenario installed
  Scenario scenario;
  std::vector<GpuCounters> gpuCounters;  // parallel to scenario.gpus
  std::vector<std::size_t> nvmlOrder;    // NVML device index -> GPU index, by bus number
  std::array<std::uint32_t, kFunctionCount> calls{};
  bool nvapiInitialized = false;
  bool nvmlInitialized = false;
  std::uint32_t preHookCalls = 0;
  std::uint32_t postHookCalls = 0;
};

std::mutex& StateMutex();

// The state, with the default scenario loaded if none was; the caller holds StateMutex().
SimState& LockedState();

// Replaces the whole state; the caller holds StateMutex().
void InstallLocked(Scenario scenario);

}  // namespace sim
