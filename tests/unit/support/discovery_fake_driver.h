// A hand-made driver for the discovery tests that need what the simulator cannot do: counts
// beyond every buffer, displays filled differently from what is reported, and a look at the
// records discovery passes in. Reached through the stub like the real nvapi64.dll.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gpu/vendor.h"
#include "support/fake_system.h"

namespace testing_support {

struct DiscoveryFakeDriver {
  // Enumeration: handles written and the counts reported.
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
  std::vector<std::uint32_t> entryVersionsGiven;

  // The records the probes passed in, as the driver saw them.
  std::vector<nvapi::NV_GPU_CLOCK_FREQUENCIES> clockRecords;
  std::vector<nvapi::NV_GPU_PERF_PSTATES20_INFO> pstatesRecords;
  std::vector<std::uint32_t> thermalSensors;
  std::vector<std::uint32_t> coolerIndexes;
  std::vector<std::uint32_t> probeCalls;  // interface ids of the probed queries, in call order

  // The 64 bytes of the full name.
  std::array<char, nvapi::kShortStringSize> name{};
};

inline DiscoveryFakeDriver* activeDiscoveryDriver = nullptr;

inline NvPhysicalGpuHandle FakeGpuHandle(std::uintptr_t index) {
  return reinterpret_cast<NvPhysicalGpuHandle>(0x1000 + index);
}

namespace discovery_fake {

inline NvAPI_Status Initialize() {
  return nvapi::kOk;
}

inline void WriteHandles(NvPhysicalGpuHandle* handles, std::uint32_t count, std::uintptr_t first) {
  for (std::uint32_t i = 0; i < std::min(count, nvapi::kMaxPhysicalGpus); ++i) {
    handles[i] = FakeGpuHandle(first + i);
  }
}

inline NvAPI_Status EnumDisplay(NvPhysicalGpuHandle* handles, std::uint32_t* count) {
  WriteHandles(handles, activeDiscoveryDriver->displayGpus, 0);
  *count = activeDiscoveryDriver->displayReported;
  return nvapi::kOk;
}

inline NvAPI_Status EnumCompute(NvPhysicalGpuHandle* handles, std::uint32_t* count) {
  WriteHandles(handles, activeDiscoveryDriver->computeGpus, 100);
  *count = activeDiscoveryDriver->computeReported;
  return nvapi::kOk;
}

inline NvAPI_Status ConnectedDisplays(NvPhysicalGpuHandle, nvapi::NV_GPU_DISPLAYIDS* entries,
                                      std::uint32_t* count, std::uint32_t) {
  DiscoveryFakeDriver& driver = *activeDiscoveryDriver;
  if (entries == nullptr) {
    *count = driver.displaysReported;
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

inline NvAPI_Status DisplayId(std::uint32_t* id) {
  if (activeDiscoveryDriver->displayIdStatus != nvapi::kOk) {
    return activeDiscoveryDriver->displayIdStatus;
  }
  *id = activeDiscoveryDriver->wantedDisplay;
  return nvapi::kOk;
}

inline NvAPI_Status FullName(NvPhysicalGpuHandle, char name[nvapi::kShortStringSize]) {
  std::memcpy(name, activeDiscoveryDriver->name.data(), nvapi::kShortStringSize);
  return nvapi::kOk;
}

inline NvAPI_Status Clocks(NvPhysicalGpuHandle, nvapi::NV_GPU_CLOCK_FREQUENCIES* clocks) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetAllClockFrequencies);
  activeDiscoveryDriver->clockRecords.push_back(*clocks);
  return nvapi::kIncompatibleStructVersion;
}

inline NvAPI_Status Pstates(NvPhysicalGpuHandle, nvapi::NV_GPU_PERF_PSTATES20_INFO* info) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetPstates20);
  activeDiscoveryDriver->pstatesRecords.push_back(*info);
  return nvapi::kOk;
}

inline NvAPI_Status Thermal(NvPhysicalGpuHandle, std::uint32_t sensor,
                            nvapi::NV_GPU_THERMAL_SETTINGS*) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetThermalSettings);
  activeDiscoveryDriver->thermalSensors.push_back(sensor);
  return nvapi::kOk;
}

inline NvAPI_Status Cooler(NvPhysicalGpuHandle, std::uint32_t index, nvapi::NvCoolerSettings*) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetCoolerSettings);
  activeDiscoveryDriver->coolerIndexes.push_back(index);
  return nvapi::kOk;
}

inline NvAPI_Status Memory(NvPhysicalGpuHandle, nvapi::NV_DISPLAY_DRIVER_MEMORY_INFO*) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetMemoryInfo);
  return nvapi::kOk;
}

inline NvAPI_Status FanCoolerStatus(NvPhysicalGpuHandle, nvapi::NvFanCoolerStatus*) {
  activeDiscoveryDriver->probeCalls.push_back(nvapi::kIdGetFanCoolerStatus);
  return nvapi::kNotSupported;
}

inline void* QueryInterface(std::uint32_t id) {
  switch (id) {
    case nvapi::kIdInitialize:
      return reinterpret_cast<void*>(&Initialize);
    case nvapi::kIdEnumPhysicalGPUs:
      return reinterpret_cast<void*>(&EnumDisplay);
    case nvapi::kIdEnumTCCPhysicalGPUs:
      return reinterpret_cast<void*>(&EnumCompute);
    case nvapi::kIdGetConnectedDisplayIds:
      return reinterpret_cast<void*>(&ConnectedDisplays);
    case nvapi::kIdGetDisplayId:
      return reinterpret_cast<void*>(&DisplayId);
    case nvapi::kIdGetFullName:
      return reinterpret_cast<void*>(&FullName);
    case nvapi::kIdGetAllClockFrequencies:
      return reinterpret_cast<void*>(&Clocks);
    case nvapi::kIdGetPstates20:
      return reinterpret_cast<void*>(&Pstates);
    case nvapi::kIdGetThermalSettings:
      return reinterpret_cast<void*>(&Thermal);
    case nvapi::kIdGetCoolerSettings:
      return reinterpret_cast<void*>(&Cooler);
    case nvapi::kIdGetMemoryInfo:
      return reinterpret_cast<void*>(&Memory);
    case nvapi::kIdGetFanCoolerStatus:
      return reinterpret_cast<void*>(&FanCoolerStatus);
    default:
      return nullptr;  // everything else is "no implementation"
  }
}

}  // namespace discovery_fake

// The stub and the management library over the fake driver; one at a time.
class DiscoveryFakeVendor {
 public:
  DiscoveryFakeVendor() {
    activeDiscoveryDriver = &driver;
    library.symbols["nvapi_QueryInterface"] =
        reinterpret_cast<void*>(&discovery_fake::QueryInterface);
    system.AddModule(L"nvapi64.dll", &library);
    system.AddModule(L"msasn1.dll", &crypto);
    system.AddModule(L"cryptnet.dll", &crypto);
  }
  ~DiscoveryFakeVendor() { activeDiscoveryDriver = nullptr; }
  DiscoveryFakeVendor(const DiscoveryFakeVendor&) = delete;
  DiscoveryFakeVendor& operator=(const DiscoveryFakeVendor&) = delete;

  gpu::Vendor Get() { return gpu::Vendor{stub, nvml, system}; }

  DiscoveryFakeDriver driver;
  FakeSystem system;
  FakeModule library;
  FakeModule crypto;
  gpu::NvapiStub stub{system};
  gpu::NvmlLibrary nvml{system};
};

}  // namespace testing_support
