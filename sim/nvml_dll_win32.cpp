// nvml.dll: the exports under their public names, forwarding to the simulator, and the
// attach-time check that the scenario has a management library at all.
#include <windows.h>

#include <atomic>

#include "nvml_functions.h"
#include "sim.h"

namespace {

// The GPUs' cycles as the driver API's copy of the simulator counts them; 0 while that library
// is not loaded.
std::uint32_t NvapiCopysCycle(std::size_t gpu) {
  static std::atomic<sim::CycleSource> cycleOf{nullptr};
  sim::CycleSource source = cycleOf.load();
  if (source == nullptr) {
    HMODULE nvapi = GetModuleHandleA("nvapi64.dll");
    if (nvapi == nullptr) return 0;
    using QueryInterface = void* (*)(std::uint32_t);
    const auto query = reinterpret_cast<QueryInterface>(
        reinterpret_cast<void*>(GetProcAddress(nvapi, "nvapi_QueryInterface")));
    if (query == nullptr) return 0;
    source = reinterpret_cast<sim::CycleSource>(query(sim::kGpuCycleId));
    if (source == nullptr) return 0;
    cycleOf.store(source);
  }
  return source(gpu);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  sim::UseCycleSource(&NvapiCopysCycle);
  sim::LoadDefaultScenario();
  return sim::NvmlLibraryPresent() ? TRUE : FALSE;
}

extern "C" {

nvmlReturn_t nvmlInit() {
  return sim::nvmlInit();
}

nvmlReturn_t nvmlDeviceGetHandleByIndex(std::uint32_t index, nvmlDevice_t* device) {
  return sim::nvmlDeviceGetHandleByIndex(index, device);
}

nvmlReturn_t nvmlDeviceGetClockInfo(nvmlDevice_t device, std::int32_t type,
                                    std::uint32_t* clockMHz) {
  return sim::nvmlDeviceGetClockInfo(device, type, clockMHz);
}

nvmlReturn_t nvmlDeviceGetUtilizationRates(nvmlDevice_t device, nvmlUtilization_t* utilization) {
  return sim::nvmlDeviceGetUtilizationRates(device, utilization);
}

nvmlReturn_t nvmlDeviceGetMemoryInfo(nvmlDevice_t device, nvmlMemory_t* memory) {
  return sim::nvmlDeviceGetMemoryInfo(device, memory);
}

nvmlReturn_t nvmlDeviceGetTemperature(nvmlDevice_t device, std::int32_t sensor,
                                      std::uint32_t* celsius) {
  return sim::nvmlDeviceGetTemperature(device, sensor, celsius);
}

nvmlReturn_t nvmlDeviceGetPowerUsage(nvmlDevice_t device, std::uint32_t* milliwatts) {
  return sim::nvmlDeviceGetPowerUsage(device, milliwatts);
}

nvmlReturn_t nvmlDeviceGetPowerManagementLimit(nvmlDevice_t device, std::uint32_t* milliwatts) {
  return sim::nvmlDeviceGetPowerManagementLimit(device, milliwatts);
}

nvmlReturn_t nvmlDeviceGetDriverModel(nvmlDevice_t device, std::int32_t* current,
                                      std::int32_t* pending) {
  return sim::nvmlDeviceGetDriverModel(device, current, pending);
}

nvmlReturn_t nvmlDeviceGetFanSpeed(nvmlDevice_t device, std::uint32_t* percent) {
  return sim::nvmlDeviceGetFanSpeed(device, percent);
}

nvmlReturn_t nvmlUnitGetHandleByIndex(std::uint32_t index, nvmlUnit_t* unit) {
  return sim::nvmlUnitGetHandleByIndex(index, unit);
}

nvmlReturn_t nvmlUnitGetFanSpeedInfo(nvmlUnit_t unit, nvmlUnitFanSpeeds_t* speeds) {
  return sim::nvmlUnitGetFanSpeedInfo(unit, speeds);
}

nvmlReturn_t nvmlDeviceGetMaxPcieLinkWidth(nvmlDevice_t device, std::uint32_t* lanes) {
  return sim::nvmlDeviceGetMaxPcieLinkWidth(device, lanes);
}

nvmlReturn_t nvmlDeviceGetMaxPcieLinkGeneration(nvmlDevice_t device, std::uint32_t* generation) {
  return sim::nvmlDeviceGetMaxPcieLinkGeneration(device, generation);
}

}  // extern "C"
