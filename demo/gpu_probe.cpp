// A console look at the GPUs as the program's driver-API stub and the management library report
// them, three samples a second apart. It shows what the bench can show until the main window
// exists; it is not the monitor.
#include <windows.h>

#include <cstdio>

#include "gpu/nvapi_stub.h"
#include "gpu/nvml_abi.h"
#include "platform/system_api.h"

namespace {

// The driver API as the program reaches it: through the process's stub.
gpu::NvapiStub& Driver() {
  return gpu::ProcessNvapiStub();
}

struct Nvml {
  platform::ModuleHandle module = nullptr;
  template <typename Fn>
  Fn Find(const char* name) const {
    return reinterpret_cast<Fn>(platform::HostSystem().FindSymbol(module, name));
  }
};

Nvml OpenNvml() {
  Nvml nvml;
  nvml.module = platform::HostSystem().LoadLibraryEx(
      L"C:/Program Files/NVIDIA Corporation/NVSMI/nvml.dll", 0);
  const auto init = nvml.Find<nvml::InitFn>(nvml::kInit);
  std::printf("nvml.dll: %s, nvmlInit: %d\n", nvml.module ? "loaded" : "not found",
              init ? init() : -1);
  return nvml;
}

void PrintIdentity(int index, NvPhysicalGpuHandle gpu) {
  char name[nvapi::kShortStringSize] = {};
  std::uint32_t bus = 0, device = 0, subsystem = 0, revision = 0, extended = 0, cores = 0;
  if (Driver().NvAPI_GPU_GetFullName(gpu, name) != nvapi::kOk)
    std::snprintf(name, sizeof(name), "?");
  name[sizeof(name) - 1] = '\0';
  Driver().NvAPI_GPU_GetBusId(gpu, &bus);
  Driver().NvAPI_GPU_GetPCIIdentifiers(gpu, &device, &subsystem, &revision, &extended);
  Driver().NvAPI_GPU_GetGpuCoreCount(gpu, &cores);
  std::printf("GPU %d: %s  bus %u  PCI id 0x%08X  %u CUDA cores\n", index, name, bus, device,
              cores);
}

void PrintReadings(int index, NvPhysicalGpuHandle gpu, const Nvml& nvml) {
  nvapi::NV_GPU_CLOCK_FREQUENCIES clocks = {};
  clocks.version = nvapi::kClockFrequenciesV3;
  nvapi::NV_GPU_THERMAL_SETTINGS thermal = {};
  thermal.version = nvapi::kThermalSettingsV2;
  const bool hasClocks = Driver().NvAPI_GPU_GetAllClockFrequencies(gpu, &clocks) == nvapi::kOk;
  const bool hasThermal = Driver().NvAPI_GPU_GetThermalSettings(gpu, 0, &thermal) == nvapi::kOk;
  std::uint32_t power = 0;
  nvmlDevice_t device = nullptr;
  const auto byIndex = nvml.Find<nvml::DeviceGetHandleByIndexFn>(nvml::kDeviceGetHandleByIndex);
  const auto powerUsage = nvml.Find<nvml::DeviceGetU32Fn>(nvml::kDeviceGetPowerUsage);
  const bool hasPower = byIndex && powerUsage && byIndex(index, &device) == nvml::kSuccess &&
                        powerUsage(device, &power) == nvml::kSuccess;
  std::printf("  GPU %d:", index);
  if (hasClocks) {
    std::printf(" graphics %u MHz, memory %u MHz,", clocks.domain[0].frequencyKHz / 1000,
                clocks.domain[4].frequencyKHz / 1000);
  }
  if (hasThermal) std::printf(" %d C,", thermal.sensor[0].currentTemp);
  if (hasPower) std::printf(" %u.%03u W", power / 1000, power % 1000);
  std::printf("\n");
}

}  // namespace

int main() {
  std::printf("Quorvane GPU probe: the simulated GPUs as the driver-API stub sees them.\n");
  std::printf("(The monitor window is not built yet; this console view is all there is.)\n");
  const NvAPI_Status status = Driver().NvAPI_Initialize();
  std::printf("NvAPI_Initialize: %d\n", status);
  if (status != nvapi::kOk) return 0;

  NvPhysicalGpuHandle gpus[nvapi::kMaxPhysicalGpus] = {};
  std::uint32_t count = 0, tccCount = 0;
  if (Driver().NvAPI_EnumPhysicalGPUs(gpus, &count) != nvapi::kOk) count = 0;
  if (count > nvapi::kMaxPhysicalGpus) count = nvapi::kMaxPhysicalGpus;
  if (Driver().NvAPI_EnumTCCPhysicalGPUs(gpus + count, &tccCount) == nvapi::kOk) {
    count +=
        tccCount < nvapi::kMaxPhysicalGpus - count ? tccCount : nvapi::kMaxPhysicalGpus - count;
  }
  std::printf("%u GPU(s)\n", count);
  for (std::uint32_t i = 0; i < count; ++i) PrintIdentity(static_cast<int>(i), gpus[i]);

  const Nvml nvml = OpenNvml();
  for (int sample = 0; sample < 3; ++sample) {
    std::printf("sample %d\n", sample + 1);
    for (std::uint32_t i = 0; i < count; ++i) PrintReadings(static_cast<int>(i), gpus[i], nvml);
    std::fflush(stdout);
    if (sample < 2) Sleep(1000);
  }
  std::printf("NvAPI_Unload: %d\n", Driver().NvAPI_Unload());
  return 0;
}
