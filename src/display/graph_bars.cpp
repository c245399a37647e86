#include "display/graph_bars.h"

#include <algorithm>
#include <climits>

#include "gpu/gpu_slots.h"

namespace display {
namespace {

// Runs blend every row from one row of the skin; that gives the pixels of single bars only when
// the skin is one colour per column and no bar is taller than the skin (a single bar's blend is
// clipped to the skin's height).
bool RunsMatchSingleBars(const Canvas& skin, std::span<const BarSpan> bars) {
  if (skin.Width() < kSampleStep || skin.Height() < 1) return false;
  for (const BarSpan& bar : bars) {
    if (bar.height > skin.Height()) return false;
  }
  for (int y = 1; y < skin.Height(); ++y) {
    for (int x = 0; x < kSampleStep; ++x) {
      if (skin.At(x, y) != skin.At(x, 0)) return false;
    }
  }
  return true;
}

void BlendEachBar(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
                  const Canvas& skin) {
  for (std::size_t i = 0; i < bars.size(); ++i) {
    if (bars[i].height <= 0) continue;
    backBuffer.Blend(skin, {0, 0, kSampleStep, bars[i].height}, columns.X(static_cast<int>(i)),
                     bars[i].top, kBarOpacity);
  }
}

bool Covers(const BarSpan& bar, int y) {
  return bar.height > 0 && y >= bar.top && y - bar.top < bar.height;
}

// Row y: every run of neighbouring bars that cover it, blended from the strip in one go. The
// strip repeats the skin's two columns, so each pixel meets its own bar column's colour.
void BlendRow(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
              const Canvas& strip, int y) {
  const int count = static_cast<int>(bars.size());
  for (int first = 0; first < count; ++first) {
    if (!Covers(bars[first], y)) continue;
    int last = first;
    while (last + 1 < count && Covers(bars[last + 1], y)) ++last;
    const int width = kSampleStep * (last - first + 1);
    backBuffer.Blend(strip, {0, 0, width, 1}, columns.X(last), y, kBarOpacity);
    first = last;
  }
}

}  // namespace

void BlendBarLayer(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
                   const Canvas& skin) {
  bars = bars.first(std::min(bars.size(), static_cast<std::size_t>(std::max(columns.shown, 0))));
  if (!RunsMatchSingleBars(skin, bars)) return BlendEachBar(backBuffer, columns, bars, skin);
  int top = INT_MAX, bottom = INT_MIN;
  for (const BarSpan& bar : bars) {
    if (bar.height <= 0) continue;
    top = std::min(top, bar.top);
    bottom = std::max(bottom, bar.top + bar.height - 1);
  }
  Canvas strip(kSampleStep * static_cast<int>(gpu::kHistoryLength), 1);
  for (int x = 0; x < strip.Width(); ++x) strip.Set(x, 0, skin.At(x % kSampleStep, 0));
  for (int y = std::max(top, 0); y <= std::min(bottom, backBuffer.Height() - 1); ++y) {
    BlendRow(backBuffer, columns, bars, strip, y);
  }
}

}  // namespace display
