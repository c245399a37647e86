// GPU load, memory use and the engine loads.
#include <algorithm>
#include <limits>

#include "gpu/sample_steps.h"

namespace gpu {
namespace {

void StoreLoad(GpuSlot& slot, std::uint32_t load) {
  slot.gpuLoad.Store(load);
  slot.hasGpuLoad.Store(1);
  PushHistory(slot.loadHistory, static_cast<std::int32_t>(load));
}

void GpuLoadFromNvml(SlotSampling& s) {
  nvmlDevice_t device = nullptr;
  const auto rates =
      s.vendor.nvml.Find<nvml::DeviceGetUtilizationRatesFn>(nvml::kDeviceGetUtilizationRates);
  nvmlUtilization_t utilization = {};
  if (!s.NvmlDevice(&device) || rates == nullptr) return;
  if (rates(device, &utilization) == nvml::kSuccess) StoreLoad(s.slot, utilization.gpu);
}

// The usage query, reached with the driver's own enumeration. Its status and the enumeration's
// are not examined: a refused query reads as 0 %.
void GpuLoadFromUsageQuery(SlotSampling& s) {
  NvapiStub& nvapi = s.vendor.nvapi;
  if (!nvapi.Provides(NvapiFunction::kEnumPhysicalGPUs) ||
      !nvapi.Provides(NvapiFunction::kGetUsages)) {
    return;
  }
  NvPhysicalGpuHandle gpus[nvapi::kMaxPhysicalGpus] = {};
  std::uint32_t count = 0;
  nvapi.NvAPI_EnumPhysicalGPUs(gpus, &count);
  const std::uint32_t index = s.slot.handleIndex.Load();
  nvapi::NvGpuUsages usages = {};
  usages.version = nvapi::kGpuUsagesV1;
  const NvPhysicalGpuHandle gpu = index < nvapi::kMaxPhysicalGpus ? gpus[index] : nullptr;
  const bool read = nvapi.QueryUsages(gpu, &usages) == nvapi::kOk;
  StoreLoad(s.slot, read ? usages.gpuLoad : 0);
}

void StoreMemory(GpuSlot& slot, std::uint32_t usedKiB) {
  slot.memUsedKiB.Store(usedKiB);
  slot.hasMemUsed.Store(1);
  PushHistory(slot.memUsedHistory, static_cast<std::int32_t>(usedKiB));
}

void MemoryFromNvapi(SlotSampling& s) {
  std::uint32_t totalKiB = 0;
  if (s.vendor.nvapi.NvAPI_GPU_GetPhysicalFrameBufferSize(s.gpu, &totalKiB) != nvapi::kOk) return;
  s.slot.memTotalKiB.Store(totalKiB);
  nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO info = {};
  info.version = s.slot.memoryInfoVersion.Load();
  if (s.vendor.nvapi.NvAPI_GPU_GetMemoryInfo(s.gpu, &info) != nvapi::kOk) return;
  // A driver reporting more available than dedicated memory gives 0 in use, not a wrapped value.
  const std::uint32_t dedicated = info.dedicatedVideoMemory;
  const std::uint32_t available = info.curAvailableDedicatedVideoMemory;
  StoreMemory(s.slot, available > dedicated ? 0 : dedicated - available);
}

std::uint32_t BytesToKiB(std::uint64_t bytes) {
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(bytes / 1024, std::numeric_limits<std::uint32_t>::max()));
}

void MemoryFromNvml(SlotSampling& s) {
  nvmlDevice_t device = nullptr;
  const auto memoryInfo =
      s.vendor.nvml.Find<nvml::DeviceGetMemoryInfoFn>(nvml::kDeviceGetMemoryInfo);
  nvmlMemory_t memory = {};
  if (!s.NvmlDevice(&device) || memoryInfo == nullptr) return;
  if (memoryInfo(device, &memory) != nvml::kSuccess) return;
  s.slot.memTotalKiB.Store(BytesToKiB(memory.total));
  StoreMemory(s.slot, BytesToKiB(memory.used));
}

}  // namespace

void SampleGpuLoad(SlotSampling& s) {
  const std::uint32_t model = s.slot.driverModel.Load();
  if (model == nvml::kDriverWdm || s.slot.fixedClockBoard.Load() != 0) {
    GpuLoadFromNvml(s);
  } else if (model == nvml::kDriverWddm) {
    GpuLoadFromUsageQuery(s);
  }
}

void SampleMemory(SlotSampling& s) {
  // The driver model is the one the previous cycle stored (WDDM in the first cycle).
  const std::uint32_t model = s.slot.driverModel.Load();
  if (model == nvml::kDriverWddm) {
    MemoryFromNvapi(s);
  } else if (model == nvml::kDriverWdm) {
    MemoryFromNvml(s);
  }
}

void SampleEngineLoads(SlotSampling& s) {
  struct Engine {
    std::size_t domain;
    U32 GpuSlot::*value;
    Flag GpuSlot::*flag;
  };
  static constexpr Engine kEngines[] = {
      {1, &GpuSlot::memCtrlLoad, &GpuSlot::hasMemCtrlLoad},
      {2, &GpuSlot::videoEngineLoad, &GpuSlot::hasVideoEngineLoad},
      {3, &GpuSlot::busLoad, &GpuSlot::hasBusLoad},
  };
  for (const Engine& engine : kEngines) {
    nvapi::NV_GPU_DYNAMIC_PSTATES_INFO_EX info = {};
    info.version = nvapi::kDynamicPstatesInfoExV1;
    if (s.vendor.nvapi.NvAPI_GPU_GetDynamicPstatesInfoEx(s.gpu, &info) != nvapi::kOk) continue;
    (s.slot.*engine.value).Store(info.utilization[engine.domain].percentage);
    (s.slot.*engine.flag).Store(1);
  }
}

}  // namespace gpu
