#include "display/paint_geometry.h"

#include <algorithm>

#include "gpu/gpu_slots.h"

namespace display {
namespace {

constexpr int kFirstRowTop = 47;
constexpr int kRowGap = 30;  // each row starts P + 30 below the one above it
constexpr int kLeftMeterX = 19;
constexpr int kLeftPanelX = 139;

GraphColumns Columns(int newestX, int leftmostX) {
  GraphColumns columns{newestX, leftmostX, 0};
  if (newestX >= leftmostX) {
    const int fitting = (newestX - leftmostX) / kSampleStep + 1;
    columns.shown = std::min(fitting, static_cast<int>(gpu::kHistoryLength));
  }
  return columns;
}

void PlaceColumns(PaintGeometry& g) {
  const int G = g.graphWidth;
  const int leftEdge = 140;
  const int rightEdge = G + 311;
  g.columns[kGraphicsClockGraph] = Columns(G + 118, leftEdge);
  g.columns[kMemoryClockGraph] = Columns(2 * G + 289, rightEdge);
  g.columns[kLoadGraph] = Columns(G + 119, leftEdge);
  g.columns[kMemoryUsageGraph] = Columns(2 * G + 290, rightEdge);
  g.columns[kTemperatureGraph] = Columns(G + 119, leftEdge);
  g.columns[kPowerGraph] = Columns(2 * G + 290, rightEdge);
}

void PlaceRows(PaintGeometry& g) {
  const int P = g.plotHeight;
  const int G = g.graphWidth;
  g.rowTops = {kFirstRowTop, kFirstRowTop + P + kRowGap, kFirstRowTop + 2 * (P + kRowGap)};
  for (int graph = 0; graph < kGraphCount; ++graph) {
    const int top = g.RowTop(graph);
    const bool left = g.LeftColumn(graph);
    g.meters[graph] = {left ? kLeftMeterX : G + 189, top, kMeterWidth, P};
    g.graphPanels[graph] = {left ? kLeftPanelX : G + 309, top, G - 18, P};
  }
}

}  // namespace

PaintGeometry ComputePaintGeometry(int outerWidth, int outerHeight) {
  PaintGeometry g;
  g.outerWidth = std::clamp(outerWidth, 0, kLargestOuterSide);
  g.outerHeight = std::clamp(outerHeight, 0, kLargestOuterSide);
  g.rowPitch = (g.outerHeight - 20) / 3;
  g.plotHeight = g.rowPitch - 92;
  g.graphWidth = g.outerWidth / 2 - 165;
  PlaceRows(g);
  PlaceColumns(g);
  g.infoPanel = {22, g.outerHeight - 162, 760, 110};
  g.logo = {g.outerWidth - 212, g.outerHeight - 120, 180, 60};
  g.drawable = g.plotHeight >= 4 && g.graphWidth >= 22;
  return g;
}

}  // namespace display
