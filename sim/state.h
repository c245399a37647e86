// The simulator's one process-wide state: the scenario in force, the sample and call counters,
// and what the program has initialised. Guarded by one mutex.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "scenario.h"
#include "sim.h"

namespace sim {

struct GpuCounters {
  std::array<std::uint64_t, kReadingCount> samples{};  // values handed out, per reading
  std::array<std::uint32_t, kFunctionCount> calls{};   // calls that named this GPU
  std::uint32_t cycles = 0;  // queries of its current clocks: the cycle it is in
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

// Where the cycles of the GPUs come from when another copy of the simulator counts them.
std::atomic<CycleSource>& ProcessCycleSource();

// The state, with the default scenario loaded if none was; the caller holds StateMutex().
SimState& LockedState();

// Replaces the whole state; the caller holds StateMutex().
void InstallLocked(Scenario scenario);

}  // namespace sim
