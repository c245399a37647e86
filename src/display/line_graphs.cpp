#include "display/line_graphs.h"

#include <algorithm>

#include "display/metrics.h"
#include "display/paint_geometry_scale.h"

namespace display {
namespace {

struct LineGraph {
  int graph;  // GraphIndex
  const gpu::MetricHistory<1>& history;
  std::uint32_t fullScale;
  Precision precision;
};

int PointY(const PaintGeometry& g, const LineGraph& line, std::int32_t sample) {
  const int P = g.plotHeight;
  const int zero = g.RowTop(line.graph) + P - 3;
  const int rise = line.precision == Precision::kSingle
                       ? ScaledPixels(sample, line.fullScale, P)
                       : ScaledPixelsPrecise(sample, line.fullScale, P);
  // A sample below zero (only a wrapped reading) rests on the zero level.
  return std::max(g.RowTop(line.graph) + 1, std::min(zero - rise, zero));
}

void DrawLine(Canvas& backBuffer, const PaintGeometry& g, const LineGraph& line) {
  if (line.fullScale == 0) return;
  const GraphColumns& columns = g.columns[line.graph];
  bool started = false;
  int lastX = 0, lastY = 0;
  for (int i = 0; i < columns.shown; ++i) {
    const std::int32_t sample = line.history.At(i);
    if (sample == gpu::kEmptySample) continue;
    const int x = columns.X(i);
    const int y = PointY(g, line, sample);
    if (started) backBuffer.Line(lastX, lastY, x, y, kLinePen);
    started = true;
    lastX = x;
    lastY = y;
  }
}

}  // namespace

void DrawLineGraph(Canvas& backBuffer, const PaintGeometry& geometry, const gpu::GpuSlot& slot,
                   GraphIndex graph) {
  switch (graph) {
    case kLoadGraph:
      return DrawLine(backBuffer, geometry,
                      {graph, slot.loadHistory, kPercentFullScale, Precision::kSingle});
    case kMemoryUsageGraph:
      return DrawLine(backBuffer, geometry,
                      {graph, slot.memUsedHistory, slot.memTotalKiB.Load(), Precision::kDouble});
    case kPowerGraph:
      return DrawLine(backBuffer, geometry,
                      {graph, slot.powerHistory, slot.powerLimit.Load(), Precision::kSingle});
    default:
      return;
  }
}

}  // namespace display
