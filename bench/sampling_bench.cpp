// One sampling cycle over the in-process simulator for one and for eight GPUs, with the
// management library's entry points looked up by name at every use (as the program does) and
// cached once, so that the cost of the look-ups shows as a ratio of two figures of one run; and
// beside it one logging pass of eight GPUs and all twelve items (the row appended to a file,
// the console block into a sink that keeps nothing).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include <cstdio>
#include <filesystem>

#include "gpu/sampler.h"
#include "logging/log_run.h"
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
  void ShowInfoLine() override {}
  gpu::WindowSize OuterSize() override { return {1200, 900}; }
  void Invalidate(const gpu::RepaintRequest& request) override {
    benchmark::DoNotOptimize(request);
  }
};

// A simulated machine of `gpus` GPUs started as the program starts it, with its slot table.
struct Machinery {
  bool Start(int gpus, gpu::NvmlLookup lookup, std::string& error) {
    if (!sim::LoadScenarioText(Machine(gpus), &error)) return false;
    nvml = std::make_unique<gpu::NvmlLibrary>(system, lookup);
    nvml->SetModule(system.LoadLibraryEx(sim::SimSystem::kNvmlPath, 0));
    stub.NvAPI_Initialize();
    if (const auto init = nvml->Find<nvml::InitFn>(nvml::kInit)) init();
    std::uint32_t count = 0;
    stub.NvAPI_EnumPhysicalGPUs(table->gpuHandles.data(), &count);
    table->gpuCount.Store(gpus);
    for (int i = 0; i < gpus; ++i) table->slots[i].handleIndex.Store(static_cast<std::uint32_t>(i));
    vendor = std::make_unique<gpu::Vendor>(gpu::Vendor{stub, *nvml, system});
    return true;
  }
  sim::SimSystem system;
  gpu::NvapiStub stub{system};
  std::unique_ptr<gpu::NvmlLibrary> nvml;
  std::unique_ptr<gpu::SlotTable> table = std::make_unique<gpu::SlotTable>();
  std::unique_ptr<gpu::Vendor> vendor;
};

void Cycle(benchmark::State& state) {
  const int gpus = static_cast<int>(state.range(0));
  const auto lookup = state.range(1) != 0 ? gpu::NvmlLookup::kCached : gpu::NvmlLookup::kEveryUse;
  Machinery machine;
  std::string error;
  if (!machine.Start(gpus, lookup, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  NullWindow window;
  gpu::ShownCaptions shown;
  for (auto _ : state) gpu::RunSamplingCycle(*machine.vendor, *machine.table, window, shown);
  // Seconds per GPU and cycle.
  state.counters["per_gpu"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * gpus,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["nvml_lookups_per_cycle"] =
      static_cast<double>(machine.system.lookups) / static_cast<double>(state.iterations());
}

class NullConsole final : public logging::ConsoleSink {
 public:
  void SetAttribute(std::uint16_t attribute) override { benchmark::DoNotOptimize(attribute); }
  void Write(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
};

class BenchLogPlatform final : public logging::LogPlatform {
 public:
  bool OpenConsole() override { return true; }
  void CloseConsole() override {}
  logging::ConsoleSink& Console() override { return console; }
  logging::RecordFile& File() override { return file; }
  logging::LogTime Now() override { return {2026, 12, 8, 12, 0, 0}; }
  void SleepMs(std::uint32_t) override {}
  platform::WriteGate& Gate() override { return gate; }
  NullConsole console;
  logging::StdioRecordFile file;
  platform::WriteGate gate;
};

// One record pass after a sampling cycle: 8 GPUs, 12 items, the row appended to a file.
void LogPass(benchmark::State& state) {
  Machinery machine;
  std::string error;
  if (!machine.Start(8, gpu::NvmlLookup::kEveryUse, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  NullWindow window;
  gpu::ShownCaptions shown;
  gpu::RunSamplingCycle(*machine.vendor, *machine.table, window, shown);
  machine.table->osSupported.Store(1);
  const std::string path =
      (std::filesystem::temp_directory_path() / "quorvane-bench-log.csv").string();
  const logging::LogRun run =
      logging::MakeLogRun(*machine.table, logging::LogSettings(), path.c_str());
  BenchLogPlatform platform;
  logging::RowBacklog kept;
  for (auto _ : state) logging::WriteLogRecord(platform, *machine.table, run, kept);
  std::remove(path.c_str());
}

BENCHMARK(Cycle)
    ->ArgNames({"gpus", "cached"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({8, 0})
    ->Args({8, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(LogPass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
