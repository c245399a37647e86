// A hand-made driver for the stub and discovery tests, for what the simulator cannot do: counts
// beyond every buffer, displays filled differently from what is reported, a look at the records
// discovery passes in, unload entries and hooks. Reached through the stub like nvapi64.dll.
// Beside it, a message sink that keeps every text shown.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "gpu/message_sink.h"
#include "gpu/vendor.h"
#include "support/fake_system.h"

namespace testing_support {

struct DiscoveryFakeDriver {
  // Loading: what the entries return, which are absent (neither call hook by default), how
  // often each id was asked for and each entry called.
  NvAPI_Status initStatus = nvapi::kOk;
  NvAPI_Status unloadStatus = nvapi::kOk;
  std::set<std::uint32_t> absent{nvapi::kIdPreCallHook, nvapi::kIdPostCallHook};
  std::map<std::uint32_t, int> queries;
  int initCalls = 0;
  int preferredUnloads = 0;
  int plainUnloads = 0;
  std::int32_t preferredUnloadArgument = -1;
  int preHookCalls = 0;
  std::uint32_t preHookId = 0;
  // The bus query answers 7, waiting first while `blockBusId` is set. With `stub` set, the
  // preferred unload entry makes a bus query through it and keeps its status.
  std::atomic<bool> blockBusId{false};
  std::atomic<bool> insideBusId{false};
  gpu::NvapiStub* stub = nullptr;
  NvAPI_Status callDuringUnload = 1;
  // Enumeration: handles written and the counts reported. Without `countsWritten` the
  // enumerations and the display count answer kOk and leave the count as it was passed in.
  bool countsWritten = true;
  std::uint32_t displayGpus = 1;
  std::uint32_t displayReported = 1;
  std::uint32_t computeGpus = 0;
  std::uint32_t computeReported = 0;
  // Connected displays of every GPU: the count the plain query reports, the ids written into
  // the entries given, and the count the filling query reports.
  std::uint32_t displaysReported = 0;
  std::vector<std::uint32_t> displayIds;
  std::uint32_t filledReported = 0;
  NvAPI_Status displayIdStatus = nvapi::kOk;
  std::uint32_t wantedDisplay = 0;
  std::vector<std::uint32_t> fillCountsGiven;
  std::vector<std::uint32_t> displayFlagsGiven;  // of every display query
  std::vector<std::uint32_t> entryVersionsGiven;
  // The records the probes passed in, as the driver saw them.
  std::vector<nvapi::NV_GPU_CLOCK_FREQUENCIES> clockRecords;
  std::vector<nvapi::NV_GPU_PERF_PSTATES20_INFO> pstatesRecords;
  std::vector<std::uint32_t> thermalSensors;
  std::vector<std::uint32_t> coolerIndexes;
  std::vector<std::uint32_t> probeCalls;  // interface ids of the probed queries, in call order
  // The 64 bytes of the full name, and the CUDA, RT and tensor core counts.
  std::array<char, nvapi::kShortStringSize> name{};
  std::array<std::uint32_t, 3> cores{};
};

inline DiscoveryFakeDriver* activeDiscoveryDriver = nullptr;

inline NvPhysicalGpuHandle FakeGpuHandle(std::uintptr_t index) {
  return reinterpret_cast<NvPhysicalGpuHandle>(0x1000 + index);
}

// The driver's entries, as nvapi_QueryInterface hands them out.
struct DiscoveryFakeEntries {
  static DiscoveryFakeDriver& D() { return *activeDiscoveryDriver; }
  static NvAPI_Status Initialize() {
    ++D().initCalls;
    return D().initStatus;
  }
  static NvAPI_Status BusId(NvPhysicalGpuHandle, std::uint32_t* bus) {
    D().insideBusId = true;
    while (D().blockBusId) std::this_thread::yield();
    D().insideBusId = false;
    *bus = 7;
    return nvapi::kOk;
  }
  static NvAPI_Status UnloadPreferred(std::int32_t argument) {
    ++D().preferredUnloads;
    D().preferredUnloadArgument = argument;
    if (D().stub != nullptr) {
      std::uint32_t bus = 0;
      D().callDuringUnload = D().stub->Call<nvapi::GpuU32Fn>(gpu::NvapiFunction::kGetBusId,
                                                             NvPhysicalGpuHandle{}, &bus);
    }
    return D().unloadStatus;
  }
  static NvAPI_Status UnloadPlain() {
    ++D().plainUnloads;
    return D().unloadStatus;
  }
  static void PreCallHook(std::uint32_t id, void** cookie) {
    ++D().preHookCalls;
    D().preHookId = id;
    *cookie = nullptr;
  }
  static void PostCallHook(std::uint32_t, void*, NvAPI_Status) {}
  static void WriteHandles(NvPhysicalGpuHandle* handles, std::uint32_t count,
                           std::uintptr_t first) {
    for (std::uint32_t i = 0; i < std::min(count, nvapi::kMaxPhysicalGpus); ++i) {
      handles[i] = FakeGpuHandle(first + i);
    }
  }
  static NvAPI_Status EnumDisplay(NvPhysicalGpuHandle* handles, std::uint32_t* count) {
    WriteHandles(handles, D().displayGpus, 0);
    if (D().countsWritten) *count = D().displayReported;
    return nvapi::kOk;
  }
  static NvAPI_Status EnumCompute(NvPhysicalGpuHandle* handles, std::uint32_t* count) {
    WriteHandles(handles, D().computeGpus, 100);
    if (D().countsWritten) *count = D().computeReported;
    return nvapi::kOk;
  }
  static NvAPI_Status ConnectedDisplays(NvPhysicalGpuHandle, nvapi::NV_GPU_DISPLAYIDS* entries,
                                        std::uint32_t* count, std::uint32_t flags) {
    DiscoveryFakeDriver& driver = D();
    driver.displayFlagsGiven.push_back(flags);
    if (entries == nullptr) {
      if (driver.countsWritten) *count = driver.displaysReported;
      return nvapi::kOk;
    }
    driver.fillCountsGiven.push_back(*count);
    for (std::uint32_t i = 0; i < *count; ++i)
      driver.entryVersionsGiven.push_back(entries[i].version);
    const std::size_t written = std::min<std::size_t>(*count, driver.displayIds.size());
    for (std::size_t i = 0; i < written; ++i) entries[i].displayId = driver.displayIds[i];
    *count = driver.filledReported;
    return nvapi::kOk;
  }
  static NvAPI_Status DisplayId(std::uint32_t* id) {
    if (D().displayIdStatus != nvapi::kOk) return D().displayIdStatus;
    *id = D().wantedDisplay;
    return nvapi::kOk;
  }
  static NvAPI_Status FullName(NvPhysicalGpuHandle, char name[nvapi::kShortStringSize]) {
    std::memcpy(name, D().name.data(), nvapi::kShortStringSize);
    return nvapi::kOk;
  }
  static NvAPI_Status CudaCores(NvPhysicalGpuHandle, std::uint32_t* count) {
    *count = D().cores[0];
    return nvapi::kOk;
  }
  static NvAPI_Status CoreCounts(NvPhysicalGpuHandle, nvapi::NvGpuCoreCounts* counts) {
    counts->rtCoreCount = D().cores[1];
    counts->tensorCoreCount = D().cores[2];
    return nvapi::kOk;
  }
  static NvAPI_Status Clocks(NvPhysicalGpuHandle, nvapi::NV_GPU_CLOCK_FREQUENCIES* clocks) {
    D().probeCalls.push_back(nvapi::kIdGetAllClockFrequencies);
    D().clockRecords.push_back(*clocks);
    return nvapi::kIncompatibleStructVersion;
  }
  static NvAPI_Status Pstates(NvPhysicalGpuHandle, nvapi::NV_GPU_PERF_PSTATES20_INFO* info) {
    D().probeCalls.push_back(nvapi::kIdGetPstates20);
    D().pstatesRecords.push_back(*info);
    return nvapi::kOk;
  }
  static NvAPI_Status Thermal(NvPhysicalGpuHandle, std::uint32_t sensor,
                              nvapi::NV_GPU_THERMAL_SETTINGS*) {
    D().probeCalls.push_back(nvapi::kIdGetThermalSettings);
    D().thermalSensors.push_back(sensor);
    return nvapi::kOk;
  }
  static NvAPI_Status Cooler(NvPhysicalGpuHandle, std::uint32_t index, nvapi::NvCoolerSettings*) {
    D().probeCalls.push_back(nvapi::kIdGetCoolerSettings);
    D().coolerIndexes.push_back(index);
    return nvapi::kOk;
  }
  static NvAPI_Status Memory(NvPhysicalGpuHandle, nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO*) {
    D().probeCalls.push_back(nvapi::kIdGetMemoryInfo);
    return nvapi::kOk;
  }
  static NvAPI_Status FanCoolerStatus(NvPhysicalGpuHandle, nvapi::NvFanCoolerStatus*) {
    D().probeCalls.push_back(nvapi::kIdGetFanCoolerStatus);
    return nvapi::kNotSupported;
  }
  template <typename Fn>
  static void* Entry(Fn* function) {
    return reinterpret_cast<void*>(function);
  }
  static void* QueryInterface(std::uint32_t id) {
    static const std::map<std::uint32_t, void*> entries = {
        {nvapi::kIdInitialize, Entry(&Initialize)},
        {nvapi::kIdUnloadPreferred, Entry(&UnloadPreferred)},
        {nvapi::kIdUnload, Entry(&UnloadPlain)},
        {nvapi::kIdPreCallHook, Entry(&PreCallHook)},
        {nvapi::kIdPostCallHook, Entry(&PostCallHook)},
        {nvapi::kIdGetBusId, Entry(&BusId)},
        {nvapi::kIdEnumPhysicalGPUs, Entry(&EnumDisplay)},
        {nvapi::kIdEnumTCCPhysicalGPUs, Entry(&EnumCompute)},
        {nvapi::kIdGetConnectedDisplayIds, Entry(&ConnectedDisplays)},
        {nvapi::kIdGetDisplayId, Entry(&DisplayId)},
        {nvapi::kIdGetFullName, Entry(&FullName)},
        {nvapi::kIdGetGpuCoreCount, Entry(&CudaCores)},
        {nvapi::kIdGetCoreCounts, Entry(&CoreCounts)},
        {nvapi::kIdGetAllClockFrequencies, Entry(&Clocks)},
        {nvapi::kIdGetPstates20, Entry(&Pstates)},
        {nvapi::kIdGetThermalSettings, Entry(&Thermal)},
        {nvapi::kIdGetCoolerSettings, Entry(&Cooler)},
        {nvapi::kIdGetMemoryInfo, Entry(&Memory)},
        {nvapi::kIdGetFanCoolerStatus, Entry(&FanCoolerStatus)},
    };
    ++D().queries[id];
    if (D().absent.count(id) != 0) return nullptr;
    const auto found = entries.find(id);
    return found == entries.end() ? nullptr : found->second;  // the rest: "no implementation"
  }
};

// The stub and the management library over the fake driver; one at a time.
class DiscoveryFakeVendor {
 public:
  DiscoveryFakeVendor() {
    activeDiscoveryDriver = &driver;
    library.symbols["nvapi_QueryInterface"] =
        reinterpret_cast<void*>(&DiscoveryFakeEntries::QueryInterface);
    system.AddNvapiModules(&library, &crypto);
  }
  ~DiscoveryFakeVendor() { activeDiscoveryDriver = nullptr; }

  gpu::Vendor Get() { return gpu::Vendor{stub, nvml, system}; }

  DiscoveryFakeDriver driver;
  FakeSystem system;
  FakeModule library;
  FakeModule crypto;
  gpu::NvapiStub stub{system};
  gpu::NvmlLibrary nvml{system};
  gpu::Vendor vendor = Get();
};

// Keeps every text shown, and can note some state at the moment a text is shown.
class RecordedMessages final : public gpu::MessageSink {
 public:
  void Show(const std::wstring& text) override {
    texts.push_back(text);
    if (onShow) onShow();
  }

  std::vector<std::wstring> texts;
  std::function<void()> onShow;
};

}  // namespace testing_support
