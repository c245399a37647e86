// The simulated management library: initialisation, device order by bus number, units, values
// in NVML's units, absent functions and a missing library.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "sim/sim.h"
#include "sim/sim_testing.h"
#include "support/sim_vendor.h"

namespace {

using namespace nvml;
using sim::NvmlEntry;

class SimNvml : public testing_support::SimTest {
 protected:
  void StartFile(const char* name) {
    LoadFile(name);
    InitNvml();
  }
  nvmlDevice_t Device(std::uint32_t index) {
    nvmlDevice_t device = nullptr;
    EXPECT_EQ(NvmlHandle(index, &device), kSuccess);
    return device;
  }
  std::uint32_t U32(const char* name, nvmlDevice_t device) {
    std::uint32_t value = 1000;  // none of the answers expected
    EXPECT_EQ(NvmlEntry<DeviceGetU32Fn>(name)(device, &value), kSuccess) << name;
    return value;
  }
  std::uint32_t Clock(nvmlDevice_t device, std::int32_t type) {
    std::uint32_t mhz = 0;
    EXPECT_EQ(NvmlEntry<DeviceGetClockInfoFn>(kDeviceGetClockInfo)(device, type, &mhz), kSuccess);
    return mhz;
  }
};

TEST_F(SimNvml, CallsBeforeInitAreRefused) {
  LoadFile("two-gpus.txt");
  nvmlDevice_t device = nullptr;
  EXPECT_EQ(NvmlHandle(0, &device), kErrorUninitialized);
  EXPECT_EQ(device, nullptr);
  EXPECT_FALSE(sim::NvmlInitialized());
  InitNvml();
  EXPECT_TRUE(sim::NvmlInitialized());
  EXPECT_EQ(NvmlHandle(0, &device), kSuccess);
  EXPECT_EQ(sim::NvmlCallCount(kDeviceGetHandleByIndex), 2u);
  EXPECT_EQ(sim::NvmlCallCount("nvmlNoSuchFunction"), 0u);
  LoadFile("broken-driver.txt");
  EXPECT_EQ(NvmlEntry<InitFn>(kInit)(), 9);
  EXPECT_EQ(NvmlHandle(0, &device), kErrorUninitialized);
}

TEST_F(SimNvml, DevicesAreNumberedByBusNumberOverAllDriverModels) {
  StartFile("tcc-mix.txt");  // buses 3 (WDDM), 1 (TCC), 2 (WDDM) in the file
  std::uint32_t width = 0;
  const std::int32_t expectedModel[] = {kDriverWdm, kDriverWddm, kDriverWddm};
  const std::uint32_t expectedMemoryMiB[] = {81920, 8192, 8192};
  for (std::uint32_t i = 0; i < 3; ++i) {
    const nvmlDevice_t device = Device(i);
    std::int32_t model = -1, pending = -1;
    ASSERT_EQ(NvmlEntry<DeviceGetDriverModelFn>(kDeviceGetDriverModel)(device, &model, &pending),
              kSuccess);
    EXPECT_EQ(model, expectedModel[i]) << i;
    nvmlMemory_t memory{};
    ASSERT_EQ(NvmlEntry<DeviceGetMemoryInfoFn>(kDeviceGetMemoryInfo)(device, &memory), kSuccess);
    EXPECT_EQ(memory.total, std::uint64_t{expectedMemoryMiB[i]} << 20) << i;
  }
  EXPECT_EQ(U32(kDeviceGetPowerManagementLimit, Device(0)), 300000u);
  nvmlDevice_t device = nullptr;
  EXPECT_EQ(NvmlHandle(3, &device), kErrorInvalidArgument);
  EXPECT_EQ(NvmlHandle(0, nullptr), kErrorInvalidArgument);
  EXPECT_EQ(NvmlEntry<DeviceGetU32Fn>(kDeviceGetMaxPcieLinkWidth)(nullptr, &width),
            kErrorInvalidArgument);
  EXPECT_EQ(NvmlEntry<DeviceGetU32Fn>(kDeviceGetMaxPcieLinkWidth)(Device(0), nullptr),
            kErrorInvalidArgument);
  StartFile("nine-gpus.txt");
  for (std::uint32_t i = 0; i < 9; ++i) {
    std::uint32_t celsius = 0;
    ASSERT_EQ(NvmlEntry<DeviceGetTemperatureFn>(kDeviceGetTemperature)(Device(i), 0, &celsius),
              kSuccess);
    const std::uint32_t fileOrder[] = {3, 7, 1, 5, 8, 0, 4, 2, 6};  // buses 1, 2, 3, 4, 6, 7, ...
    EXPECT_EQ(celsius, 40 + fileOrder[i]) << "NVML device " << i;
  }
}

TEST_F(SimNvml, ValuesInNvmlUnits) {
  StartFile("two-gpus.txt");
  const nvmlDevice_t device = Device(1);  // bus 5
  EXPECT_EQ(Clock(device, kClockGraphics), 1000u) << "1000000 kHz";
  EXPECT_EQ(Clock(device, kClockGraphics), 1001u) << "the ramp moves on";
  EXPECT_EQ(Clock(device, kClockMem), 9501u);
  std::uint32_t mhz = 0;
  EXPECT_EQ(NvmlEntry<DeviceGetClockInfoFn>(kDeviceGetClockInfo)(device, 4, &mhz),
            kErrorInvalidArgument);
  nvmlUtilization_t utilization{};
  ASSERT_EQ(
      NvmlEntry<DeviceGetUtilizationRatesFn>(kDeviceGetUtilizationRates)(device, &utilization),
      kSuccess);
  EXPECT_EQ(utilization.gpu, 10u);
  EXPECT_EQ(utilization.memory, 5u);
  nvmlMemory_t memory{};
  ASSERT_EQ(NvmlEntry<DeviceGetMemoryInfoFn>(kDeviceGetMemoryInfo)(device, &memory), kSuccess);
  EXPECT_EQ(memory.total, 10485760ull * 1024);
  EXPECT_EQ(memory.used, 1048576ull * 1024);
  EXPECT_EQ(memory.free, 9437184ull * 1024);
  EXPECT_EQ(U32(kDeviceGetPowerUsage, device), 100000u);
  EXPECT_EQ(U32(kDeviceGetPowerUsage, device), 100500u);
  EXPECT_EQ(U32(kDeviceGetPowerManagementLimit, device), 320000u);
  EXPECT_EQ(U32(kDeviceGetFanSpeed, device), 30u);
  EXPECT_EQ(U32(kDeviceGetMaxPcieLinkWidth, device), 16u);
  EXPECT_EQ(U32(kDeviceGetMaxPcieLinkGeneration, device), 4u);
  EXPECT_EQ(U32(kDeviceGetMaxPcieLinkWidth, Device(0)), 8u);
  std::uint32_t celsius = 0;
  EXPECT_EQ(NvmlEntry<DeviceGetTemperatureFn>(kDeviceGetTemperature)(device, 1, &celsius),
            kErrorInvalidArgument);
}

TEST_F(SimNvml, UnitsExistWhereTheDeviceHasOne) {
  StartFile("two-gpus.txt");  // bus 5 (device 1) has a unit, bus 2 (device 0) has none
  auto unitByIndex = NvmlEntry<UnitGetHandleByIndexFn>(kUnitGetHandleByIndex);
  nvmlUnit_t unit = nullptr;
  EXPECT_EQ(unitByIndex(0, &unit), kErrorInvalidArgument);
  ASSERT_EQ(unitByIndex(1, &unit), kSuccess);
  nvmlUnitFanSpeeds_t speeds{};
  auto fanInfo = NvmlEntry<UnitGetFanSpeedInfoFn>(kUnitGetFanSpeedInfo);
  ASSERT_EQ(fanInfo(unit, &speeds), kSuccess);
  EXPECT_EQ(speeds.count, 2u);
  EXPECT_EQ(speeds.fans[0].speed, 1000u);
  EXPECT_EQ(speeds.fans[0].state, kFanNormal);
  EXPECT_EQ(speeds.fans[1].speed, 1010u);
  EXPECT_EQ(fanInfo(nullptr, &speeds), kErrorInvalidArgument);
  EXPECT_EQ(fanInfo(unit, nullptr), kErrorInvalidArgument);
  StartFile("misbehaving.txt");
  ASSERT_EQ(unitByIndex(0, &unit), kSuccess);
  ASSERT_EQ(fanInfo(unit, &speeds), kSuccess);
  EXPECT_EQ(speeds.fans[0].state, kFanFailed);
}

TEST_F(SimNvml, MisbehavingValues) {
  StartFile("misbehaving.txt");
  const nvmlDevice_t device = Device(0);
  std::uint32_t celsius = 0;
  ASSERT_EQ(NvmlEntry<DeviceGetTemperatureFn>(kDeviceGetTemperature)(device, 0, &celsius),
            kSuccess);
  EXPECT_EQ(static_cast<std::int32_t>(celsius), -20);
  EXPECT_EQ(U32(kDeviceGetPowerManagementLimit, device), 0u);
  EXPECT_EQ(U32(kDeviceGetPowerUsage, device), 100000u) << "slowed down, same answer";
  nvmlMemory_t memory{1, 1, 1};  // the zeros below must be written
  ASSERT_EQ(NvmlEntry<DeviceGetMemoryInfoFn>(kDeviceGetMemoryInfo)(device, &memory), kSuccess);
  EXPECT_EQ(memory.total, 0u);
  EXPECT_EQ(memory.free, 0u);
  std::uint32_t mhz = 0;
  EXPECT_EQ(NvmlEntry<DeviceGetClockInfoFn>(kDeviceGetClockInfo)(device, kClockSm, &mhz),
            kErrorNotSupported);
  Load("gpu\n  fans 0\nend\n");
  InitNvml();
  std::uint32_t percent = 0;
  EXPECT_EQ(NvmlEntry<DeviceGetU32Fn>(kDeviceGetFanSpeed)(Device(0), &percent), kErrorNotSupported);
}

TEST_F(SimNvml, ScriptedFailuresAndAbsentFunctions) {
  StartFile("failures.txt");
  auto power = NvmlEntry<DeviceGetU32Fn>(kDeviceGetPowerUsage);
  std::uint32_t milliwatts = 0;
  EXPECT_EQ(power(Device(0), &milliwatts), kSuccess);
  EXPECT_EQ(power(Device(1), &milliwatts), kSuccess);
  EXPECT_EQ(power(Device(1), &milliwatts), kSuccess) << "the rule names the first GPU only";
  EXPECT_EQ(power(Device(0), &milliwatts), kErrorUnknown);
  EXPECT_EQ(power(Device(0), &milliwatts), kErrorUnknown);
  Load("gpu\nend\nabsent nvmlDeviceGetFanSpeed\nfail nvmlInit 999 to 1\n");
  EXPECT_EQ(sim::NvmlFunction(kDeviceGetFanSpeed), nullptr);
  EXPECT_NE(sim::NvmlFunction(kDeviceGetPowerUsage), nullptr);
  EXPECT_EQ(sim::NvmlFunction("nvmlShutdownEverything"), nullptr);
  EXPECT_EQ(sim::NvmlFunction(nullptr), nullptr);
  EXPECT_EQ(NvmlEntry<InitFn>(kInit)(), kErrorUnknown);
  EXPECT_EQ(NvmlEntry<InitFn>(kInit)(), kSuccess) << "the failure was for the first call only";
}

TEST_F(SimNvml, MissingLibraryHasNoFunctions) {
  LoadFile("no-nvml.txt");
  EXPECT_FALSE(sim::NvmlLibraryPresent());
  EXPECT_TRUE(sim::NvapiLibraryPresent());
  EXPECT_EQ(sim::NvmlFunction(kInit), nullptr);
  EXPECT_NE(::SimNvapiQueryInterface(nvapi::kIdInitialize), nullptr);
}

// A slow call sleeps without the lock: a scenario loaded meanwhile must not upset it.
TEST_F(SimNvml, ScenarioReplacedDuringASlowCall) {
  Load("gpu\n  delay nvmlDeviceGetPowerUsage 50\nend\ngpu\nend\n");
  InitNvml();
  const nvmlDevice_t device = Device(0);
  nvmlReturn_t status = -1;
  std::thread slow([&] {
    std::uint32_t milliwatts = 0;
    status = NvmlEntry<DeviceGetU32Fn>(kDeviceGetPowerUsage)(device, &milliwatts);
  });
  Load("");
  slow.join();
  EXPECT_TRUE(status == kSuccess || status == kErrorUninitialized) << status;
}

}  // namespace
