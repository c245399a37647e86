#include "display/grid_lines.h"

#include <algorithm>
#include <vector>

namespace display {
namespace {

// One vertical grid line of P - 3 rows and one horizontal line of G pixels, filled from the
// grid skins as per-paint strips.
struct GridStrips {
  Canvas column;
  Canvas row;
};

// The x of one graph's vertical lines: start - phase - 12k for k while 12k < G - 21, kept only
// strictly between the bounds.
void AppendVerticalXs(const PaintGeometry& g, long long start, long long low,
                      std::int32_t gridPhase, std::vector<int>& xs) {
  for (long long k = 0; kGridSpacing * k < g.graphWidth - 21; ++k) {
    const long long x = start - gridPhase - kGridSpacing * k;
    if (x > low && x < start) xs.push_back(static_cast<int>(x));
  }
}

// The vertical lines of both graphs of a row, each a copy of the column strip's top P - 3 rows
// to row top + 2. They are laid down row by row, both graphs in one sweep (the lines never
// meet, so the order is free), which keeps the back buffer's rows in cache.
void DrawVerticals(Canvas& backBuffer, const PaintGeometry& g, const Canvas& strip, int rowTop,
                   const std::vector<int>& xs) {
  for (int row = 0; row < std::min(g.plotHeight - 3, strip.Height()); ++row) {
    const Rgb colour = strip.At(0, row);
    backBuffer.SetPoints(rowTop + 2 + row, xs, colour);
  }
}

void DrawHorizontals(Canvas& backBuffer, const PaintGeometry& g, const Canvas& strip, int x,
                     int firstY) {
  for (int k = 0; kGridSpacing * k < g.plotHeight - 3; ++k) {
    backBuffer.Copy(strip, {0, 0, g.graphWidth - 21, 1}, x, firstY + kGridSpacing * k);
  }
}

}  // namespace

void DrawGridLines(Canvas& backBuffer, const PaintGeometry& geometry, std::int32_t gridPhase,
                   const SkinCanvases& skins) {
  const int P = geometry.plotHeight;
  const int G = geometry.graphWidth;
  GridStrips strips{Canvas(1, P), Canvas(G, 1)};
  strips.column.Copy(skins.Get(kGridColumnSkin), {0, 0, 1, P - 3}, 0, 0);
  strips.row.Copy(skins.Get(kGridRowSkin), {0, 0, G, 1}, 0, 0);
  std::vector<int> xs;
  AppendVerticalXs(geometry, G + 119, 140, gridPhase, xs);
  AppendVerticalXs(geometry, 2 * G + 290, G + 311, gridPhase, xs);
  for (int row = 0; row < 3; ++row) {
    const int top = geometry.rowTops[row];
    const bool first = row == 0;
    DrawVerticals(backBuffer, geometry, strips.column, top, xs);
    DrawHorizontals(backBuffer, geometry, strips.row, first ? 140 : 141, first ? top + 2 : top);
    DrawHorizontals(backBuffer, geometry, strips.row, G + 311, first ? top + 2 : top);
  }
}

}  // namespace display
