// The client side of the driver API. nvapi64.dll is loaded on first use, from the system
// directory only; every function is resolved lazily by its interface id and cached; calls in
// flight are counted so that the library is never freed under a running call; initialise and
// unload are reference-counted.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "gpu/nvapi_abi.h"
#include "gpu/system_library.h"
#include "platform/system_api.h"

namespace gpu {

// The functions reached through the stub, one cache slot each.
enum class NvapiFunction : std::uint8_t {
  kGetMemoryInfo,
  kEnumPhysicalGPUs,
  kEnumTCCPhysicalGPUs,
  kGetGpuCoreCount,
  kGetConnectedDisplayIds,
  kGetFullName,
  kGetPCIIdentifiers,
  kGetBusId,
  kGetPhysicalFrameBufferSize,
  kGetCoreCounts,
  kGetCoreVoltage,
  kGetPstates20,
  kGetCurrentPstate,
  kGetDynamicPstatesInfoEx,
  kGetThermalSettings,
  kGetCoolerSettings,
  kGetFanCoolerStatus,
  kGetAllClockFrequencies,
  kGetDisplayId,
  kGetUsages,
  kCount
};

// The interface id of each stub function.
std::uint32_t InterfaceId(NvapiFunction function);

// Holds the process-wide lock that serialises initialise and unload. Constructed on first use.
class CSingletonCriticalSection {
 public:
  static CSingletonCriticalSection& Instance();
  virtual ~CSingletonCriticalSection() = default;
  std::mutex& Lock() { return lock_; }

 private:
  CSingletonCriticalSection() = default;
  std::mutex lock_;
};

class NvapiStub {
 public:
  explicit NvapiStub(platform::SystemApi& system) : system_(system), loader_(system) {}
  NvapiStub(const NvapiStub&) = delete;
  NvapiStub& operator=(const NvapiStub&) = delete;

  NvAPI_Status NvAPI_Initialize();
  NvAPI_Status NvAPI_Unload();

  // One wrapped call: `Fn` is the function's type, `args` its arguments, passed through.
  template <typename Fn, typename... Args>
  NvAPI_Status Call(NvapiFunction function, Args... args) {
    callsInFlight_.fetch_add(1);
    NvAPI_Status result = EnsureNvapiLoaded();
    if (result == nvapi::kOk) {
      void* entry = Resolve(function);
      if (entry == nullptr) {
        result = nvapi::kNoImplementation;
      } else {
        void* cookie = nullptr;
        const std::uint32_t id = InterfaceId(function);
        const auto pre = preCallHook_.load(std::memory_order_relaxed);
        const auto post = postCallHook_.load(std::memory_order_relaxed);
        if (pre != nullptr) pre(id, &cookie);
        result = reinterpret_cast<Fn>(entry)(args...);
        if (post != nullptr) post(id, cookie, result);
      }
    }
    callsInFlight_.fetch_sub(1);
    return result;
  }

  // The driver API under its public names. Handles are physical-GPU handles from the
  // enumeration; every record carries its version word.
  NvAPI_Status NvAPI_EnumPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                      std::uint32_t* count) {
    return Call<nvapi::EnumGpusFn>(NvapiFunction::kEnumPhysicalGPUs, handles, count);
  }
  NvAPI_Status NvAPI_EnumTCCPhysicalGPUs(NvPhysicalGpuHandle handles[nvapi::kMaxPhysicalGpus],
                                         std::uint32_t* count) {
    return Call<nvapi::EnumGpusFn>(NvapiFunction::kEnumTCCPhysicalGPUs, handles, count);
  }
  NvAPI_Status NvAPI_GPU_GetMemoryInfo(NvPhysicalGpuHandle gpu,
                                       nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO* info) {
    return Call<nvapi::GetMemoryInfoFn>(NvapiFunction::kGetMemoryInfo, gpu, info);
  }
  NvAPI_Status NvAPI_GPU_GetGpuCoreCount(NvPhysicalGpuHandle gpu, std::uint32_t* count) {
    return Call<nvapi::GpuU32Fn>(NvapiFunction::kGetGpuCoreCount, gpu, count);
  }
  NvAPI_Status NvAPI_GPU_GetConnectedDisplayIds(NvPhysicalGpuHandle gpu,
                                                nvapi::NV_GPU_DISPLAYIDS* ids, std::uint32_t* count,
                                                std::uint32_t flags) {
    return Call<nvapi::GetConnectedDisplayIdsFn>(NvapiFunction::kGetConnectedDisplayIds, gpu, ids,
                                                 count, flags);
  }
  NvAPI_Status NvAPI_GPU_GetFullName(NvPhysicalGpuHandle gpu, char name[nvapi::kShortStringSize]) {
    return Call<nvapi::GetFullNameFn>(NvapiFunction::kGetFullName, gpu, name);
  }
  NvAPI_Status NvAPI_GPU_GetPCIIdentifiers(NvPhysicalGpuHandle gpu, std::uint32_t* deviceId,
                                           std::uint32_t* subSystemId, std::uint32_t* revisionId,
                                           std::uint32_t* extDeviceId) {
    return Call<nvapi::GetPCIIdentifiersFn>(NvapiFunction::kGetPCIIdentifiers, gpu, deviceId,
                                            subSystemId, revisionId, extDeviceId);
  }
  NvAPI_Status NvAPI_GPU_GetBusId(NvPhysicalGpuHandle gpu, std::uint32_t* busId) {
    return Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, gpu, busId);
  }
  NvAPI_Status NvAPI_GPU_GetPhysicalFrameBufferSize(NvPhysicalGpuHandle gpu,
                                                    std::uint32_t* sizeKiB) {
    return Call<nvapi::GpuU32Fn>(NvapiFunction::kGetPhysicalFrameBufferSize, gpu, sizeKiB);
  }
  NvAPI_Status NvAPI_GPU_GetPstates20(NvPhysicalGpuHandle gpu,
                                      nvapi::NV_GPU_PERF_PSTATES20_INFO* info) {
    return Call<nvapi::GetPstates20Fn>(NvapiFunction::kGetPstates20, gpu, info);
  }
  NvAPI_Status NvAPI_GPU_GetCurrentPstate(NvPhysicalGpuHandle gpu, std::uint32_t* pstate) {
    return Call<nvapi::GpuU32Fn>(NvapiFunction::kGetCurrentPstate, gpu, pstate);
  }
  NvAPI_Status NvAPI_GPU_GetDynamicPstatesInfoEx(NvPhysicalGpuHandle gpu,
                                                 nvapi::NV_GPU_DYNAMIC_PSTATES_INFO_EX* info) {
    return Call<nvapi::GetDynamicPstatesFn>(NvapiFunction::kGetDynamicPstatesInfoEx, gpu, info);
  }
  NvAPI_Status NvAPI_GPU_GetThermalSettings(NvPhysicalGpuHandle gpu, std::uint32_t sensorIndex,
                                            nvapi::NV_GPU_THERMAL_SETTINGS* settings) {
    return Call<nvapi::GetThermalSettingsFn>(NvapiFunction::kGetThermalSettings, gpu, sensorIndex,
                                             settings);
  }
  NvAPI_Status NvAPI_GPU_GetAllClockFrequencies(NvPhysicalGpuHandle gpu,
                                                nvapi::NV_GPU_CLOCK_FREQUENCIES* clocks) {
    return Call<nvapi::GetClockFrequenciesFn>(NvapiFunction::kGetAllClockFrequencies, gpu, clocks);
  }
  // The queries without a public name.
  NvAPI_Status QueryCoreCounts(NvPhysicalGpuHandle gpu, nvapi::NvGpuCoreCounts* counts) {
    return Call<nvapi::GetCoreCountsFn>(NvapiFunction::kGetCoreCounts, gpu, counts);
  }
  NvAPI_Status QueryCoreVoltage(NvPhysicalGpuHandle gpu, nvapi::NvCoreVoltage* voltage) {
    return Call<nvapi::GetCoreVoltageFn>(NvapiFunction::kGetCoreVoltage, gpu, voltage);
  }
  NvAPI_Status QueryCoolerSettings(NvPhysicalGpuHandle gpu, std::uint32_t index,
                                   nvapi::NvCoolerSettings* settings) {
    return Call<nvapi::GetCoolerSettingsFn>(NvapiFunction::kGetCoolerSettings, gpu, index,
                                            settings);
  }
  NvAPI_Status QueryFanCoolerStatus(NvPhysicalGpuHandle gpu, nvapi::NvFanCoolerStatus* status) {
    return Call<nvapi::GetFanCoolerStatusFn>(NvapiFunction::kGetFanCoolerStatus, gpu, status);
  }
  NvAPI_Status QueryDisplayId(std::uint32_t* displayId) {
    return Call<nvapi::GetDisplayIdFn>(NvapiFunction::kGetDisplayId, displayId);
  }
  NvAPI_Status QueryUsages(NvPhysicalGpuHandle gpu, nvapi::NvGpuUsages* usages) {
    return Call<nvapi::GetUsagesFn>(NvapiFunction::kGetUsages, gpu, usages);
  }

  // Whether the loaded driver provides a function (loading the library first if need be).
  bool Provides(NvapiFunction function) {
    callsInFlight_.fetch_add(1);
    const bool provided = EnsureNvapiLoaded() == nvapi::kOk && Resolve(function) != nullptr;
    callsInFlight_.fetch_sub(1);
    return provided;
  }

  // What a test or a diagnosis may want to see.
  bool IsLoaded() const { return nvapiModule_.load() != nullptr; }
  bool IsInitialized() const { return initialized_.load() == 1; }
  std::int32_t LoadCount() const { return loadCount_.load(); }
  std::int32_t InitCount() const { return initCount_.load(); }
  std::int32_t CallsInFlight() const { return callsInFlight_.load(); }
  bool HasPreCallHook() const { return preCallHook_.load() != nullptr; }
  bool HasPostCallHook() const { return postCallHook_.load() != nullptr; }

 private:
  NvAPI_Status EnsureNvapiLoaded();
  NvAPI_Status LoadAndInitialize();
  void* Resolve(NvapiFunction function);
  void ClearFunctionCache();
  void ReleaseLibrary();
  NvAPI_Status UnloadLocked();

  platform::SystemApi& system_;
  SystemLibraryLoader loader_;
  std::atomic<platform::ModuleHandle> nvapiModule_{nullptr};
  std::atomic<nvapi::QueryInterfaceFn> queryInterface_{nullptr};
  std::atomic<nvapi::InitializeFn> initializeFn_{nullptr};
  std::atomic<nvapi::PreCallHookFn> preCallHook_{nullptr};
  std::atomic<nvapi::PostCallHookFn> postCallHook_{nullptr};
  std::array<std::atomic<void*>, static_cast<std::size_t>(NvapiFunction::kCount)> functionCache_{};
  std::atomic<std::int32_t> loadCount_{0};
  std::atomic<std::int32_t> initCount_{0};
  std::atomic<std::int32_t> initialized_{0};
  std::atomic<std::int32_t> callsInFlight_{0};
  std::atomic<std::uint8_t> unloading_{0};
};

// The stub of this process, over the host's system services.
NvapiStub& ProcessNvapiStub();

}  // namespace gpu
