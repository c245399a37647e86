// One sampling cycle over the in-process simulator for one and for eight GPUs, with the
// management library's entry points looked up by name at every use (as the program does) and
// cached once, so that the cost of the look-ups shows as a ratio of two figures of one run.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gpu/sampler.h"
#include "sim/sim_host.h"

namespace {

std::string Machine(int gpus) {
  std::string text;
  for (int i = 0; i < gpus; ++i) {
    text += "gpu\n  bus " + std::to_string(i + 1) +
            "\n  fans 1 cooler\n  unit present\n  clock.graphics sine 1500000 300000 20\n"
            "  temperature ramp 40 1\n  display dp " +
            std::to_string(0x1000 + i) + "\nend\n";
  }
  return text;
}

class NullWindow final : public gpu::CycleWindow {
 public:
  void SetTabCaption(int, const char* caption) override { benchmark::DoNotOptimize(caption); }
  void PollCheckboxes() override {}
  gpu::WindowSize OuterSize() override { return {1200, 900}; }
  void Invalidate(const gpu::Rect& area) override { benchmark::DoNotOptimize(area); }
};

void Cycle(benchmark::State& state) {
  const int gpus = static_cast<int>(state.range(0));
  const auto lookup = state.range(1) != 0 ? gpu::NvmlLookup::kCached : gpu::NvmlLookup::kEveryUse;
  std::string error;
  if (!sim::LoadScenarioText(Machine(gpus), &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  sim::SimSystem system;
  gpu::NvapiStub stub(system);
  gpu::NvmlLibrary nvml(system, lookup);
  nvml.SetModule(system.LoadLibraryEx(sim::SimSystem::kNvmlPath, 0));
  stub.NvAPI_Initialize();
  if (const auto init = nvml.Find<nvml::InitFn>(nvml::kInit)) init();

  auto table = std::make_unique<gpu::SlotTable>();
  std::uint32_t count = 0;
  stub.NvAPI_EnumPhysicalGPUs(table->gpuHandles.data(), &count);
  table->gpuCount.Store(gpus);
  for (int i = 0; i < gpus; ++i) table->slots[i].handleIndex.Store(static_cast<std::uint32_t>(i));

  gpu::Vendor vendor{stub, nvml, system};
  NullWindow window;
  for (auto _ : state) gpu::RunSamplingCycle(vendor, *table, window);
  // Seconds per GPU and cycle.
  state.counters["per_gpu"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * gpus,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["nvml_lookups_per_cycle"] =
      static_cast<double>(system.lookups) / static_cast<double>(state.iterations());
}

BENCHMARK(Cycle)
    ->ArgNames({"gpus", "cached"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({8, 0})
    ->Args({8, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
