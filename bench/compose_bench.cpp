// One whole composition of the main window at the smallest (900 x 520) and the largest
// (1200 x 900) window, with every history full of lively values, beside a plain copy of a frame
// of the same size, so that the composition's cost reads off one run as a number of frame copies.
// Text is left out (a null renderer): on Windows the platform draws it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "display/compose_window.h"
#include "display/info_panel.h"
#include "display/level_meters.h"
#include "display/number_text.h"
#include "gpu/gpu_slots.h"

namespace {

class NullText final : public display::TextRenderer {
 public:
  void Draw(display::Canvas&, const display::Area&, int, int, display::Rgb, display::Font,
            std::string_view text) override {
    benchmark::DoNotOptimize(text.data());
  }
  void DrawWide(display::Canvas&, const display::Area&, int, int, display::Rgb, display::Font,
                std::wstring_view text) override {
    benchmark::DoNotOptimize(text.data());
  }
};

// The program's meters, panel and number text, or nothing (state.range(2) == 0), to tell the
// graphs' share.
class BenchPainters final : public display::PanelPainters {
 public:
  explicit BenchPainters(bool real) : real_(real) {}
  void PaintMeterSegments(std::array<display::Canvas*, 6> meters, int plotHeight,
                          const gpu::GpuSlot& slot, const display::SkinCanvases& skins) override {
    if (real_) display::PaintMeterSegments(meters, plotHeight, slot, skins);
  }
  void DrawMeterCaptions(display::Canvas& backBuffer, const std::array<display::Area, 6>& areas,
                         int plotHeight, const gpu::GpuSlot& slot,
                         display::TextRenderer& text) override {
    if (real_) display::DrawMeterCaptions(backBuffer, areas, plotHeight, slot, text);
  }
  void PaintInfoPanel(display::Canvas& backBuffer, const display::Area& panel,
                      const gpu::GpuSlot& slot, display::TextRenderer& text) override {
    if (real_) display::PaintInfoPanel(backBuffer, panel, slot, text);
  }

 private:
  bool real_;
};

std::int32_t Wave(int i, double period, double low, double high) {
  const double phase = std::sin(i * 6.283185307 / period) * 0.5 + 0.5;
  return static_cast<std::int32_t>(low + (high - low) * phase);
}

// A busy GPU: clocks crossing the base clock, every temperature band, loads, memory and power
// moving, every reading supported.
std::unique_ptr<gpu::GpuSlot> LivelySlot() {
  auto slot = std::make_unique<gpu::GpuSlot>();
  slot->graphicsClockCeilingKHz.Store(2100000);
  slot->memoryClockCeilingKHz.Store(10500000);
  slot->clockBase[gpu::kGraphics].Store(1500000);
  slot->clockBase[gpu::kMemory].Store(9500000);
  slot->memTotalKiB.Store(8388608);
  slot->powerLimit.Store(250000);
  for (gpu::Flag* flag : {&slot->hasGpuClock, &slot->hasMemClock, &slot->hasGpuLoad,
                          &slot->hasMemUsed, &slot->hasTemperature, &slot->hasPower}) {
    flag->Store(1);
  }
  for (int i = 0; i < static_cast<int>(gpu::kHistoryLength); ++i) {
    slot->clockCurrent[gpu::kGraphics].Store(Wave(i, 37, 300000, 2100000));
    slot->clockCurrent[gpu::kMemory].Store(Wave(i, 53, 800000, 10500000));
    gpu::PushClockHistory(*slot);
    gpu::PushHistory(slot->loadHistory, Wave(i, 23, 0, 100));
    gpu::PushHistory(slot->memUsedHistory, Wave(i, 71, 500000, 8000000));
    gpu::PushHistory(slot->temperatureHistory, Wave(i, 41, 28, 98));
    gpu::PushHistory(slot->powerHistory, Wave(i, 29, 20000, 260000));
  }
  return slot;
}

void Compose(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  const display::SkinCanvases skins{display::DecodedSkin{}};
  const auto slot = LivelySlot();
  display::Canvas panelSurface(417, 208);
  display::Canvas backBuffer(width, height - 20);
  NullText text;
  BenchPainters painters(state.range(2) != 0);
  const display::PaintInputs inputs{width, height, *slot, 4, skins, panelSurface, text, painters};
  for (auto _ : state) {
    display::ComposeMainWindow(backBuffer, inputs);
    benchmark::ClobberMemory();
  }
}

void FrameCopy(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1)) - 20;
  display::Canvas frame(width, height);
  display::Canvas window(width, height);
  for (auto _ : state) {
    window.Copy(frame, {0, 0, width, height}, 0, 0);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(Compose)
    ->ArgNames({"w", "h", "painters"})
    ->Args({900, 520, 1})
    ->Args({1200, 900, 1})
    ->Args({900, 520, 0})
    ->Args({1200, 900, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FrameCopy)
    ->ArgNames({"w", "h"})
    ->Args({900, 520})
    ->Args({1200, 900})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
