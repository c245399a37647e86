#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "scenario.h"

namespace sim {
namespace {

// Defaults: each record accepts only its newest version word.
void SetNewestVersions(GpuSetup* gpu) {
  gpu->accepted[Index(Query::kClocks)] = {nvapi::kClockFrequenciesV3};
  gpu->accepted[Index(Query::kPstates20)] = {nvapi::kPstates20V3};
  gpu->accepted[Index(Query::kThermal)] = {nvapi::kThermalSettingsV2};
  gpu->accepted[Index(Query::kMemoryInfo)] = {nvapi::kMemoryInfoV3};
  gpu->accepted[Index(Query::kCooler)] = {nvapi::kCoolerSettingsV4};
  gpu->accepted[Index(Query::kFanCooler)] = {nvapi::kFanCoolerStatusV1};
  gpu->accepted[Index(Query::kDisplayIds)] = {nvapi::kDisplayIdsV3, nvapi::kDisplayIdsV1};
  gpu->accepted[Index(Query::kDynamicPstates)] = {nvapi::kDynamicPstatesInfoExV1};
  gpu->accepted[Index(Query::kVoltage)] = {nvapi::kCoreVoltageV1};
  gpu->accepted[Index(Query::kUsages)] = {nvapi::kGpuUsagesV1};
  gpu->accepted[Index(Query::kCoreCounts)] = {nvapi::kGpuCoreCountsV2};
}

void Set(GpuSetup* gpu, Reading reading, std::int64_t value) {
  gpu->readings[Index(reading)] = Constant(value);
}

void SetDefaultReadings(GpuSetup* gpu) {
  Set(gpu, Reading::kClockGraphics, 1500000);
  Set(gpu, Reading::kClockMemory, 7000000);
  Set(gpu, Reading::kClockProcessor, 1500000);
  Set(gpu, Reading::kClockVideo, 1300000);
  Set(gpu, Reading::kBaseGraphics, 1200000);
  Set(gpu, Reading::kBaseMemory, 7000000);
  Set(gpu, Reading::kBaseProcessor, 1200000);
  Set(gpu, Reading::kBaseVideo, 1100000);
  Set(gpu, Reading::kBoostGraphics, 1800000);
  Set(gpu, Reading::kBoostMemory, 7000000);
  Set(gpu, Reading::kBoostProcessor, 1800000);
  Set(gpu, Reading::kBoostVideo, 1500000);
  Set(gpu, Reading::kMemoryTotal, 8388608);
  Set(gpu, Reading::kMemoryUsed, 1048576);
  Set(gpu, Reading::kTemperature, 40);
  Set(gpu, Reading::kPowerDraw, 100000);
  Set(gpu, Reading::kPowerLimit, 250000);
  Set(gpu, Reading::kFan1Level, 30);
  Set(gpu, Reading::kFan1Rpm, 1000);
  Set(gpu, Reading::kFan2Level, 30);
  Set(gpu, Reading::kFan2Rpm, 1000);
  Set(gpu, Reading::kVoltage, 850000);
}

}  // namespace

GpuSetup DefaultGpu(std::size_t indexInFile) {
  GpuSetup gpu;
  gpu.bus = static_cast<std::uint32_t>(indexInFile + 1);
  SetNewestVersions(&gpu);
  SetDefaultReadings(&gpu);
  return gpu;
}

Scenario BrokenDriverScenario() {
  Scenario scenario;
  scenario.failures.push_back({{Fn::kInitialize, {}, 1, UINT32_MAX}, nvapi::kError});
  scenario.failures.push_back({{Fn::kNvmlInit, {}, 1, UINT32_MAX}, nvml::kErrorUnknown});
  return scenario;
}

bool TakesTime(const Scenario& scenario) {
  return !scenario.delays.empty() || !scenario.hangs.empty() || !scenario.slow.empty();
}

}  // namespace sim
