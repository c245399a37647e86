#include "state.h"

#include <algorithm>
#include <numeric>

#include "default_scenario.h"

namespace sim {
namespace {

SimState& RawState() {
  static SimState state;
  return state;
}

// NVML numbers devices by ascending bus number; equal bus numbers keep the file order.
std::vector<std::size_t> BusOrder(const std::vector<GpuSetup>& gpus) {
  std::vector<std::size_t> order(gpus.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return gpus[a].bus < gpus[b].bus; });
  return order;
}

}  // namespace

std::mutex& StateMutex() {
  static std::mutex mutex;
  return mutex;
}

SimState& LockedState() {
  SimState& state = RawState();
  if (!state.loaded) InstallLocked(DefaultScenario());
  return state;
}

void InstallLocked(Scenario scenario) {
  SimState& state = RawState();
  const std::uint64_t generation = state.generation + 1;
  state = SimState{};
  state.loaded = true;
  state.generation = generation;
  state.nvmlOrder = BusOrder(scenario.gpus);
  state.gpuCounters.resize(scenario.gpus.size());
  state.scenario = std::move(scenario);
}

}  // namespace sim
