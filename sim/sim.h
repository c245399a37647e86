// The GPU simulator: look-alikes of nvapi64.dll and nvml.dll driven by a scenario. Linked
// in-process by native tests; the same code builds the two DLLs for Wine and the demo.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

// Replace the whole simulator state (GPUs, rules, counters, initialised flags) with the
// scenario in `text` or in the file at `path`. On failure the state is untouched and `error`
// (when given) says "line N: what is wrong".
bool LoadScenarioText(std::string_view text, std::string* error);
bool LoadScenarioFile(const std::string& path, std::string* error);

// The scenario named by QUORVANE_SIM_SCENARIO (a file path; on Windows "/..." means drive Z:),
// or the built-in demo when it is unset or empty. A file that cannot be read or parsed leaves a
// machine whose driver initialisation fails, with the reason on stderr.
void LoadDefaultScenario();

// The NVML entry of an export name, or null when unknown, marked absent, or the library is
// missing (what GetProcAddress would give).
void* NvmlFunction(const char* name);

// Whether the scenario has each library at all.
bool NvapiLibraryPresent();
bool NvmlLibraryPresent();

// A GPU's cycle is counted by the driver API's queries of its current clocks, the first call
// the program makes for a GPU in each cycle. In the DLLs each library has its own state, so
// the management library's copy asks the driver API's copy through this source.
using CycleSource = std::uint32_t (*)(std::size_t gpu);
void UseCycleSource(CycleSource source);
// The cycle GPU `gpu` (in file order) is in: 0 before its first current-clock query.
std::uint32_t GpuCycle(std::size_t gpu);
// The interface id under which nvapi_QueryInterface gives GpuCycle (no real function has it).
inline constexpr std::uint32_t kGpuCycleId = 0x51C7C1E5;

// Observation for tests. Counts include calls that failed.
std::uint32_t NvapiCallCount(std::uint32_t id);
std::uint32_t NvmlCallCount(std::string_view name);
bool NvapiInitialized();
bool NvmlInitialized();
std::uint32_t PreCallHookCalls();
std::uint32_t PostCallHookCalls();

}  // namespace sim

// What nvapi64.dll exports as nvapi_QueryInterface: the function of an interface id, or null
// for ids the scenario marks absent and for unknown ids.
extern "C" void* SimNvapiQueryInterface(std::uint32_t id);
