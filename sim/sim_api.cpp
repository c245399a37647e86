// Loading scenarios and observing the simulator from tests.
#include "default_scenario.h"
#include "scenario_parser.h"
#include "sim.h"
#include "state.h"

namespace sim {
namespace {

// Reads one field of the state under the lock, loading the default scenario first if needed.
template <typename Read>
auto Observe(Read read) noexcept -> decltype(read(std::declval<SimState&>())) {
  try {
    std::lock_guard<std::mutex> lock(StateMutex());
    return read(LockedState());
  } catch (...) {
    return {};
  }
}

}  // namespace

bool LoadScenarioText(std::string_view text, std::string* error) {
  try {
    Scenario scenario;
    if (!ParseScenario(text, &scenario, error)) return false;
    std::lock_guard<std::mutex> lock(StateMutex());
    InstallLocked(std::move(scenario));
    return true;
  } catch (...) {
    if (error != nullptr) *error = "out of memory while loading the scenario";
    return false;
  }
}

bool LoadScenarioFile(const std::string& path, std::string* error) {
  try {
    std::string text;
    if (!ReadScenarioFile(path, &text, error)) return false;
    return LoadScenarioText(text, error);
  } catch (...) {
    if (error != nullptr) *error = "out of memory while reading " + path;
    return false;
  }
}

void LoadDefaultScenario() {
  try {
    Scenario scenario = DefaultScenario();
    std::lock_guard<std::mutex> lock(StateMutex());
    InstallLocked(std::move(scenario));
  } catch (...) {
  }
}

bool NvapiLibraryPresent() {
  return Observe([](SimState& s) { return !s.scenario.nvapiMissing; });
}

bool NvmlLibraryPresent() {
  return Observe([](SimState& s) { return !s.scenario.nvmlMissing; });
}

std::uint32_t NvapiCallCount(std::uint32_t id) {
  const std::optional<Fn> fn = NvapiFunctionById(id);
  if (!fn) return 0;
  return Observe([&](SimState& s) { return s.calls[Index(*fn)]; });
}

std::uint32_t NvmlCallCount(std::string_view name) {
  const std::optional<Fn> fn = NvmlFunctionByName(name);
  if (!fn) return 0;
  return Observe([&](SimState& s) { return s.calls[Index(*fn)]; });
}

bool NvapiInitialized() {
  return Observe([](SimState& s) { return s.nvapiInitialized; });
}

bool NvmlInitialized() {
  return Observe([](SimState& s) { return s.nvmlInitialized; });
}

std::uint32_t PreCallHookCalls() {
  return Observe([](SimState& s) { return s.preHookCalls; });
}

std::uint32_t PostCallHookCalls() {
  return Observe([](SimState& s) { return s.postHookCalls; });
}

std::atomic<CycleSource>& ProcessCycleSource() {
  static std::atomic<CycleSource> source{nullptr};
  return source;
}

void UseCycleSource(CycleSource source) {
  ProcessCycleSource().store(source);
}

std::uint32_t GpuCycle(std::size_t gpu) {
  return Observe([gpu](SimState& s) -> std::uint32_t {
    return gpu < s.gpuCounters.size() ? s.gpuCounters[gpu].cycles : 0;
  });
}

}  // namespace sim
