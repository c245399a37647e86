#include "gpu/nvapi_stub.h"

#include "platform/lasting.h"

namespace gpu {
namespace {

constexpr std::uint32_t kUnloadWaitMs = 100;
constexpr int kUnloadWaits = 10;

constexpr std::uint32_t kInterfaceIds[] = {
    nvapi::kIdGetMemoryInfo,
    nvapi::kIdEnumPhysicalGPUs,
    nvapi::kIdEnumTCCPhysicalGPUs,
    nvapi::kIdGetGpuCoreCount,
    nvapi::kIdGetConnectedDisplayIds,
    nvapi::kIdGetFullName,
    nvapi::kIdGetPCIIdentifiers,
    nvapi::kIdGetBusId,
    nvapi::kIdGetPhysicalFrameBufferSize,
    nvapi::kIdGetCoreCounts,
    nvapi::kIdGetCoreVoltage,
    nvapi::kIdGetPstates20,
    nvapi::kIdGetCurrentPstate,
    nvapi::kIdGetDynamicPstatesInfoEx,
    nvapi::kIdGetThermalSettings,
    nvapi::kIdGetCoolerSettings,
    nvapi::kIdGetFanCoolerStatus,
    nvapi::kIdGetAllClockFrequencies,
    nvapi::kIdGetDisplayId,
    nvapi::kIdGetUsages,
};
static_assert(std::size(kInterfaceIds) == static_cast<std::size_t>(NvapiFunction::kCount));

template <typename Fn>
Fn Lookup(nvapi::QueryInterfaceFn queryInterface, std::uint32_t id) {
  return reinterpret_cast<Fn>(queryInterface(id));
}

}  // namespace

std::uint32_t InterfaceId(NvapiFunction function) {
  return kInterfaceIds[static_cast<std::size_t>(function)];
}

CSingletonCriticalSection& CSingletonCriticalSection::Instance() {
  // Made here, where its constructor is reachable, and never destroyed.
  static CSingletonCriticalSection* const instance = new CSingletonCriticalSection;
  return *instance;
}

void NvapiStub::ClearFunctionCache() {
  for (auto& slot : functionCache_) slot.store(nullptr, std::memory_order_relaxed);
}

void* NvapiStub::Resolve(NvapiFunction function) {
  auto& slot = functionCache_[static_cast<std::size_t>(function)];
  void* entry = slot.load(std::memory_order_relaxed);
  if (entry == nullptr) {
    const auto queryInterface = queryInterface_.load();
    if (queryInterface == nullptr) return nullptr;
    entry = queryInterface(InterfaceId(function));
    slot.store(entry, std::memory_order_relaxed);
  }
  return entry;
}

NvAPI_Status NvapiStub::LoadAndInitialize() {
  platform::ModuleHandle module =
      loader_.Load(L"nvapi64.dll", platform::kLoadLibrarySearchSystem32);
  if (module == nullptr) return nvapi::kLibraryNotFound;

  const auto queryInterface =
      reinterpret_cast<nvapi::QueryInterfaceFn>(system_.FindSymbol(module, "nvapi_QueryInterface"));
  if (queryInterface == nullptr) {
    system_.ReleaseModule(module);
    return nvapi::kError;
  }

  const auto initialize = Lookup<nvapi::InitializeFn>(queryInterface, nvapi::kIdInitialize);
  const NvAPI_Status status = initialize == nullptr ? nvapi::kError : initialize();
  if (status != nvapi::kOk) {
    system_.ReleaseModule(module);
    return status;
  }

  // Only a pre-call hook without a post-call hook is kept; a post-call hook never is.
  const auto pre = Lookup<nvapi::PreCallHookFn>(queryInterface, nvapi::kIdPreCallHook);
  const auto post = Lookup<nvapi::PostCallHookFn>(queryInterface, nvapi::kIdPostCallHook);
  preCallHook_.store(pre != nullptr && post == nullptr ? pre : nullptr);
  postCallHook_.store(nullptr);

  ClearFunctionCache();
  queryInterface_.store(queryInterface);
  initializeFn_.store(initialize);
  nvapiModule_.store(module);
  loadCount_.store(1);
  initCount_.store(1);
  initialized_.store(1);
  return nvapi::kOk;
}

NvAPI_Status NvapiStub::EnsureNvapiLoaded() {
  for (int waits = 0; unloading_.load() != 0; ++waits) {
    if (waits == kUnloadWaits) return nvapi::kError;
    system_.SleepMs(kUnloadWaitMs);
  }
  if (nvapiModule_.load() != nullptr) return nvapi::kOk;
  return LoadAndInitialize();
}

NvAPI_Status NvapiStub::NvAPI_Initialize() {
  std::lock_guard<std::mutex> guard(CSingletonCriticalSection::Instance().Lock());
  callsInFlight_.fetch_add(1);
  const std::int32_t loads = loadCount_.load();
  const std::int32_t inits = initCount_.load();
  NvAPI_Status result = EnsureNvapiLoaded();
  if (result == nvapi::kOk) {
    if (initialized_.load() != 1) {
      const auto initialize = initializeFn_.load();
      result = initialize == nullptr ? nvapi::kError : initialize();
      if (result == nvapi::kOk) initialized_.store(1);
    }
    if (result == nvapi::kOk) {
      loadCount_.store(loads + 1);
      initCount_.store(inits + 1);
    }
  }
  callsInFlight_.fetch_sub(1);
  return result;
}

void NvapiStub::ReleaseLibrary() {
  queryInterface_.store(nullptr);
  initializeFn_.store(nullptr);
  preCallHook_.store(nullptr);
  postCallHook_.store(nullptr);
  ClearFunctionCache();
  system_.ReleaseModule(nvapiModule_.exchange(nullptr));
  loadCount_.store(0);
  initCount_.store(0);
  initialized_.store(0);
}

NvAPI_Status NvapiStub::UnloadLocked() {
  const auto queryInterface = queryInterface_.load();
  if (nvapiModule_.load() == nullptr || queryInterface == nullptr || initialized_.load() != 1) {
    return nvapi::kApiNotInitialized;
  }
  const auto preferred =
      Lookup<nvapi::UnloadPreferredFn>(queryInterface, nvapi::kIdUnloadPreferred);
  const auto plain =
      preferred != nullptr ? nullptr : Lookup<nvapi::UnloadFn>(queryInterface, nvapi::kIdUnload);
  if (preferred == nullptr && plain == nullptr) return nvapi::kNoImplementation;
  if (initCount_.load() == 0) return nvapi::kApiNotInitialized;

  const std::int32_t loads = loadCount_.fetch_sub(1) - 1;
  const std::int32_t inits = initCount_.fetch_sub(1) - 1;
  if (inits > 0) return nvapi::kOk;  // other references remain

  auto restore = [&] {
    loadCount_.store(loads + 1);
    initCount_.store(inits + 1);
  };
  if (callsInFlight_.load() != 0) {
    restore();
    return nvapi::kApiInUse;
  }
  const NvAPI_Status status = preferred != nullptr ? preferred(0) : plain();
  if (status != nvapi::kOk) {
    restore();
    return nvapi::kError;
  }
  initialized_.store(0);
  if (loads == 0) ReleaseLibrary();
  return nvapi::kOk;
}

NvAPI_Status NvapiStub::NvAPI_Unload() {
  std::lock_guard<std::mutex> guard(CSingletonCriticalSection::Instance().Lock());
  unloading_.store(1);
  const NvAPI_Status result = UnloadLocked();
  unloading_.store(0);
  return result;
}

NvapiStub& ProcessNvapiStub() {
  static platform::Lasting<NvapiStub> stub(platform::HostSystem());
  return stub.Get();
}

}  // namespace gpu
