#include "display/graph_bars.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

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

// Which of the layer's bars cover the current row, one bit per sample.
class CoverSet {
 public:
  void Set(int i) { words_[i / 64] |= std::uint64_t{1} << (i % 64); }
  void Clear(int i) { words_[i / 64] &= ~(std::uint64_t{1} << (i % 64)); }
  // The first sample at or after `from` whose bit is `value`; kSamples when there is none.
  int Next(int from, bool value) const {
    for (int word = from / 64; word < kWords; ++word) {
      std::uint64_t bits = value ? words_[word] : ~words_[word];
      if (word == from / 64) bits &= ~std::uint64_t{0} << (from % 64);
      if (bits != 0) return std::min(word * 64 + std::countr_zero(bits), kSamples);
    }
    return kSamples;
  }

  static constexpr int kSamples = static_cast<int>(gpu::kHistoryLength);

 private:
  static constexpr int kWords = (kSamples + 63) / 64;
  std::array<std::uint64_t, kWords> words_{};
};

// One row's runs of neighbouring covering bars, each blended from the strip in one go. The strip
// repeats the skin's two columns, so each pixel meets its own bar column's colour.
void BlendRow(Canvas& backBuffer, const GraphColumns& columns, const CoverSet& cover,
              const BlendSource& strip, int y) {
  for (int first = cover.Next(0, true); first < CoverSet::kSamples;) {
    const int end = cover.Next(first, false);
    backBuffer.Blend(strip, 0, kSampleStep * (end - first), columns.X(end - 1), y);
    first = cover.Next(end, true);
  }
}

struct RowEvent {
  int row;
  int sample;
  bool operator<(const RowEvent& other) const { return row < other.row; }
};

// The bars' rows on the back buffer, [top, end), as start and end events.
struct RowEvents {
  std::array<RowEvent, gpu::kHistoryLength> starts{};
  std::array<RowEvent, gpu::kHistoryLength> ends{};
  int count = 0;
};

RowEvents EventsOf(std::span<const BarSpan> bars, int rows) {
  RowEvents events;
  for (int i = 0; i < static_cast<int>(bars.size()); ++i) {
    const int top = std::max(bars[i].top, 0);
    const long long end = std::min<long long>(
        static_cast<long long>(bars[i].top) + std::max(bars[i].height, 0), rows);
    if (top >= end) continue;
    events.starts[events.count] = {top, i};
    events.ends[events.count] = {static_cast<int>(end), i};
    ++events.count;
  }
  std::sort(events.starts.begin(), events.starts.begin() + events.count);
  std::sort(events.ends.begin(), events.ends.begin() + events.count);
  return events;
}

// Sweeps the rows from the first bar's top down, keeping the set of bars that cover the row.
void BlendRuns(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
               const BlendSource& strip) {
  const RowEvents events = EventsOf(bars, backBuffer.Height());
  if (events.count == 0) return;
  CoverSet cover;
  int started = 0, ended = 0;
  for (int row = events.starts[0].row; ended < events.count; ++row) {
    for (; started < events.count && events.starts[started].row == row; ++started) {
      cover.Set(events.starts[started].sample);
    }
    for (; ended < events.count && events.ends[ended].row == row; ++ended) {
      cover.Clear(events.ends[ended].sample);
    }
    BlendRow(backBuffer, columns, cover, strip, row);
  }
}

}  // namespace

void BlendBarLayer(Canvas& backBuffer, const GraphColumns& columns, std::span<const BarSpan> bars,
                   const Canvas& skin) {
  const std::size_t shown = static_cast<std::size_t>(std::max(columns.shown, 0));
  bars = bars.first(std::min({bars.size(), shown, gpu::kHistoryLength}));
  if (!RunsMatchSingleBars(skin, bars)) return BlendEachBar(backBuffer, columns, bars, skin);
  Canvas strip(kSampleStep * static_cast<int>(gpu::kHistoryLength), 1);
  for (int x = 0; x < strip.Width(); ++x) strip.Set(x, 0, skin.At(x % kSampleStep, 0));
  BlendRuns(backBuffer, columns, bars, BlendSource(strip, kBarOpacity));
}

}  // namespace display
