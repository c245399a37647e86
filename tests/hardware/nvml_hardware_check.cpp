// The sampler's management-library paths against a real NVIDIA driver on Linux. The driver API
// side is the in-process simulator with every reading query refused, so each reading falls back
// to libnvidia-ml.so.1; the slot values are compared with what nvidia-smi prints at the same
// moment. Exits 77 (skipped) where there is no NVIDIA driver.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gpu/sampler.h"
#include "sim/sim_host.h"

namespace {

constexpr int kSkipped = 77;

// The driver API of the simulator with every query the sampler reads from refused.
std::string RefusingDriver(int gpus) {
  std::string text;
  for (int i = 0; i < gpus; ++i) text += "gpu\n  bus " + std::to_string(i + 1) + "\nend\n";
  for (const char* query : {"NvAPI_GPU_GetAllClockFrequencies", "NvAPI_GPU_GetPstates20",
                            "NvAPI_GPU_GetThermalSettings", "NvAPI_GPU_GetMemoryInfo",
                            "NvAPI_GPU_GetPhysicalFrameBufferSize", "NvAPI_GPU_GetCurrentPstate",
                            "NvAPI_GPU_GetDynamicPstatesInfoEx", "cooler", "fan-cooler-status",
                            "core-voltage", "usages"}) {
    text += std::string("fail ") + query + " -104\n";
  }
  return text;
}

struct SmiRow {
  double values[9] = {};
  bool present[9] = {};
};

// clocks.gr, clocks.mem (MHz), memory.total, memory.used (MiB), temperature.gpu, power.draw,
// power.limit (W), utilization.gpu, fan.speed (%).
std::vector<SmiRow> ReadNvidiaSmi() {
  std::vector<SmiRow> rows;
  FILE* pipe = popen(
      "nvidia-smi --query-gpu=clocks.gr,clocks.mem,memory.total,memory.used,temperature.gpu,"
      "power.draw,power.limit,utilization.gpu,fan.speed --format=csv,noheader,nounits 2>/dev/null",
      "r");
  if (pipe == nullptr) return rows;
  char line[512];
  while (std::fgets(line, sizeof(line), pipe) != nullptr) {
    SmiRow row;
    std::stringstream fields(line);
    std::string field;
    for (int i = 0; i < 9 && std::getline(fields, field, ','); ++i) {
      char* end = nullptr;
      row.values[i] = std::strtod(field.c_str(), &end);
      row.present[i] = end != field.c_str();  // "[N/A]" and "[Not Supported]" are absent
    }
    rows.push_back(row);
  }
  pclose(pipe);
  return rows;
}

struct Check {
  const char* what;
  int smiField;
  bool supported;
  double ours;
  double tolerance;
};

int Compare(int index, const gpu::GpuSlot& slot, const SmiRow& smi) {
  const Check checks[] = {
      {"graphics clock MHz", 0, slot.hasGpuClock.Load() != 0,
       slot.clockCurrent[gpu::kGraphics].Load() / 1000.0, 150},
      {"memory clock MHz", 1, slot.hasMemClock.Load() != 0,
       slot.clockCurrent[gpu::kMemory].Load() / 1000.0, 150},
      {"memory total MiB", 2, slot.hasMemUsed.Load() != 0, slot.memTotalKiB.Load() / 1024.0, 2},
      {"memory used MiB", 3, slot.hasMemUsed.Load() != 0, slot.memUsedKiB.Load() / 1024.0, 256},
      {"temperature C", 4, slot.hasTemperature.Load() != 0,
       static_cast<double>(slot.temperature.Load()), 3},
      {"power draw W", 5, slot.hasPower.Load() != 0, slot.powerDraw.Load() / 1000.0, 30},
      {"power limit W", 6, slot.powerLimitUnknown.Load() == 0, slot.powerLimit.Load() / 1000.0, 1},
      {"GPU load %", 7, slot.hasGpuLoad.Load() != 0, static_cast<double>(slot.gpuLoad.Load()), 30},
      {"fan level %", 8, slot.hasFanLevel.Load() != 0, static_cast<double>(slot.fanLevel.Load()),
       10},
  };
  int failures = 0;
  for (const Check& check : checks) {
    const bool smiHas = smi.present[check.smiField];
    const double theirs = smi.values[check.smiField];
    const char* verdict = "ok";
    if (!smiHas && !check.supported) {
      verdict = "both unsupported";
    } else if (smiHas != check.supported) {
      verdict = "MISMATCH (supported by one side only)";
      ++failures;
    } else if (std::fabs(theirs - check.ours) > check.tolerance) {
      verdict = "MISMATCH";
      ++failures;
    }
    std::printf("GPU %d  %-20s ours %10.1f  nvidia-smi %10.1f  (±%.0f)  %s\n", index, check.what,
                check.ours, theirs, check.tolerance, verdict);
  }
  return failures;
}

}  // namespace

int main() {
  platform::SystemApi& host = platform::HostSystem();
  const platform::ModuleHandle library = host.LoadLibraryEx(L"libnvidia-ml.so.1", 0);
  if (library == nullptr) {
    std::printf("skipped: no NVIDIA driver here (libnvidia-ml.so.1 cannot be loaded)\n");
    return kSkipped;
  }
  gpu::NvmlLibrary nvml(host);
  nvml.SetModule(library);
  const auto init = nvml.Find<nvml::InitFn>(nvml::kInit);
  if (init == nullptr || init() != nvml::kSuccess) {
    std::printf("skipped: nvmlInit failed\n");
    return kSkipped;
  }
  int gpus = 0;
  for (nvmlDevice_t device = nullptr; gpus < gpu::kMaxGpus && nvml.Device(gpus, &device);) ++gpus;

  std::string error;
  if (!sim::LoadScenarioText(RefusingDriver(gpus), &error)) {
    std::printf("scenario: %s\n", error.c_str());
    return 1;
  }
  sim::SimSystem simulated;
  gpu::NvapiStub stub(simulated);
  stub.NvAPI_Initialize();
  auto table = std::make_unique<gpu::SlotTable>();
  std::uint32_t count = 0;
  stub.NvAPI_EnumPhysicalGPUs(table->gpuHandles.data(), &count);
  table->gpuCount.Store(gpus);
  gpu::Vendor vendor{stub, nvml, host};
  for (int i = 0; i < gpus; ++i) {
    gpu::GpuSlot& slot = table->slots[static_cast<std::size_t>(i)];
    slot.handleIndex.Store(static_cast<std::uint32_t>(i));
    slot.driverModel.Store(nvml::kDriverWdm);  // Linux has no driver model: take every NVML path
    gpu::SampleSlot(vendor, *table, i);
  }
  const std::vector<SmiRow> smi = ReadNvidiaSmi();
  if (static_cast<int>(smi.size()) < gpus) {
    std::printf("nvidia-smi reported %zu GPUs, the library %d\n", smi.size(), gpus);
    return 1;
  }
  int failures = 0;
  for (int i = 0; i < gpus; ++i) failures += Compare(i, table->slots[i], smi[i]);
  std::printf("%d GPU(s), %d mismatch(es)\n", gpus, failures);
  return failures == 0 ? 0 : 1;
}
