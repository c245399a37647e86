#include "gpu/version_probing.h"

#include "gpu/discovery_counts.h"

namespace gpu {
namespace {

constexpr std::uint32_t kThermalSensor = 0;
constexpr std::uint32_t kCoolerIndex = 0;
// The performance-state query is asked with its third and fourth words (the P-state and
// clock counts) set to 1.
constexpr std::uint32_t kPstates20ProbeCount = 1;

template <std::uint32_t kClockType>
NvAPI_Status AttemptClocks(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, std::uint32_t version,
                           GpuSlot&) {
  nvapi::NV_GPU_CLOCK_FREQUENCIES clocks{};
  clocks.version = version;
  clocks.clockTypeBits = kClockType;
  return nvapi.NvAPI_GPU_GetAllClockFrequencies(gpu, &clocks);
}

NvAPI_Status AttemptPstates20(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, std::uint32_t version,
                              GpuSlot&) {
  nvapi::NV_GPU_PERF_PSTATES20_INFO info{};
  info.version = version;
  info.numPstates = kPstates20ProbeCount;
  info.numClocks = kPstates20ProbeCount;
  return nvapi.NvAPI_GPU_GetPstates20(gpu, &info);
}

NvAPI_Status AttemptThermal(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, std::uint32_t version,
                            GpuSlot&) {
  nvapi::NV_GPU_THERMAL_SETTINGS settings{};
  settings.version = version;
  return nvapi.NvAPI_GPU_GetThermalSettings(gpu, kThermalSensor, &settings);
}

NvAPI_Status AttemptMemory(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, std::uint32_t version,
                           GpuSlot&) {
  nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO info{};
  info.version = version;
  return nvapi.NvAPI_GPU_GetMemoryInfo(gpu, &info);
}

NvAPI_Status AttemptCooler(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, std::uint32_t version,
                           GpuSlot&) {
  nvapi::NvCoolerSettings settings{};
  settings.version = version;
  return nvapi.QueryCoolerSettings(gpu, kCoolerIndex, &settings);
}

// On success the byte after the version word is the number of fan coolers.
NvAPI_Status AttemptFanCoolerStatus(NvapiStub& nvapi, NvPhysicalGpuHandle gpu,
                                    std::uint32_t version, GpuSlot& slot) {
  nvapi::NvFanCoolerStatus status{};
  status.version = version;
  const NvAPI_Status result = nvapi.QueryFanCoolerStatus(gpu, &status);
  if (result == nvapi::kOk) {
    slot.fanCoolerCount.Store(status.count);
    slot.hasFanCoolerStatus.Store(1);
  }
  return result;
}

constexpr std::array<std::uint32_t, kMaxProbeTries> kClockVersions{nvapi::kClockFrequenciesV3,
                                                                   nvapi::kClockFrequenciesV2};

const std::array<VersionProbe, 8> kProbes{{
    {&AttemptClocks<nvapi::kClockTypeCurrent>, kClockVersions, true, &GpuSlot::clockVersionCurrent,
     nvapi::kClockFrequenciesV1},
    {&AttemptClocks<nvapi::kClockTypeBase>, kClockVersions, true, &GpuSlot::clockVersionBase,
     nvapi::kClockFrequenciesV1},
    {&AttemptClocks<nvapi::kClockTypeBoost>, kClockVersions, true, &GpuSlot::clockVersionBoost,
     nvapi::kClockFrequenciesV1},
    {&AttemptPstates20,
     {nvapi::kPstates20V3, nvapi::kPstates20V2},
     false,
     &GpuSlot::pstates20Version,
     nvapi::kPstates20V1},
    {&AttemptThermal,
     {nvapi::kThermalSettingsV2},
     false,
     &GpuSlot::thermalVersion,
     nvapi::kThermalSettingsV1},
    {&AttemptMemory,
     {nvapi::kMemoryInfoV3, nvapi::kMemoryInfoV2},
     false,
     &GpuSlot::memoryInfoVersion,
     nvapi::kMemoryInfoV1},
    {&AttemptCooler,
     {nvapi::kCoolerSettingsV4, nvapi::kCoolerSettingsV3, nvapi::kCoolerSettingsV2,
      nvapi::kCoolerSettingsV1},
     true,
     &GpuSlot::coolerVersion,
     nvapi::kCoolerSettingsFallback},
    {&AttemptFanCoolerStatus,
     {nvapi::kFanCoolerStatusV1, nvapi::kFanCoolerStatusV1},
     true,
     nullptr,
     kNoFallback},
}};

void Store(const VersionProbe& probe, GpuSlot& slot, std::uint32_t version) {
  if (probe.stored != nullptr) (slot.*probe.stored).Store(version);
}

}  // namespace

bool RunVersionProbe(Vendor& vendor, const VersionProbe& probe, NvPhysicalGpuHandle gpu,
                     GpuSlot& slot) {
  for (std::size_t i = 0; i < probe.versions.size() && probe.versions[i] != 0; ++i) {
    if (i > 0 && probe.pausesBeforeRetry) vendor.system.SleepMs(kProbePauseMs);
    if (probe.attempt(vendor.nvapi, gpu, probe.versions[i], slot) == nvapi::kOk) {
      Store(probe, slot, probe.versions[i]);
      return true;
    }
  }
  if (probe.fallback != kNoFallback) Store(probe, slot, probe.fallback);
  return false;
}

void ProbeStructureVersions(Vendor& vendor, SlotTable& table) {
  const std::uint32_t slots = SlotsInUse(table);
  for (std::uint32_t s = 0; s < slots; ++s) {
    GpuSlot& slot = table.slots[s];
    for (const VersionProbe& probe : kProbes) {
      RunVersionProbe(vendor, probe, table.HandleOf(slot), slot);
    }
  }
}

}  // namespace gpu
