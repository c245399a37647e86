#include "display/compose_window.h"

#include "display/base_clock_marker.h"
#include "display/clock_graphs.h"
#include "display/grid_lines.h"
#include "display/line_graphs.h"
#include "display/paint_geometry.h"
#include "display/sunken_frame.h"
#include "display/temperature_graph.h"

namespace display {
namespace {

// The six per-paint meter surfaces, in graph order, framed.
struct MeterSurfaces {
  explicit MeterSurfaces(int plotHeight, const Canvas& frameSkin)
      : canvases{{{kMeterWidth, plotHeight},
                  {kMeterWidth, plotHeight},
                  {kMeterWidth, plotHeight},
                  {kMeterWidth, plotHeight},
                  {kMeterWidth, plotHeight},
                  {kMeterWidth, plotHeight}}} {
    for (Canvas& meter : canvases) DrawSunkenFrame(meter, kMeterWidth, plotHeight, frameSkin);
  }
  std::array<Canvas*, kGraphCount> Pointers() {
    std::array<Canvas*, kGraphCount> pointers{};
    for (int i = 0; i < kGraphCount; ++i) pointers[i] = &canvases[i];
    return pointers;
  }
  std::array<Canvas, kGraphCount> canvases;
};

void CopyMetersAndPanels(Canvas& backBuffer, const PaintGeometry& g, MeterSurfaces& meters,
                         const PaintInputs& in) {
  for (int graph = 0; graph < kGraphCount; ++graph) {
    const Area& to = g.meters[graph];
    backBuffer.Copy(meters.canvases[graph], {0, 0, to.width, to.height}, to.x, to.y);
  }
  in.painters.DrawMeterCaptions(backBuffer, g.meters, g.plotHeight, in.slot, in.text);
  for (const Area& to : g.graphPanels) {
    backBuffer.Copy(in.panelSurface, {0, 0, to.width, to.height}, to.x, to.y);
  }
}

// Graphics clock, memory clock, GPU load, memory usage, temperature, power draw.
void DrawGraphs(Canvas& backBuffer, const PaintGeometry& g, const PaintInputs& in) {
  DrawClockGraphs(backBuffer, g, in.slot, in.skins);
  DrawLineGraph(backBuffer, g, in.slot, kLoadGraph);
  DrawLineGraph(backBuffer, g, in.slot, kMemoryUsageGraph);
  DrawTemperatureGraph(backBuffer, g, in.slot, in.skins);
  DrawLineGraph(backBuffer, g, in.slot, kPowerGraph);
}

void DrawMarker(Canvas& backBuffer, const PaintGeometry& g, const PaintInputs& in) {
  const BaseClockReading reading = ReadBaseClock(in.slot);
  const std::optional<int> row = BaseMarkerRow(reading, g);
  if (!row) return;
  const std::string megahertz = in.painters.FixedTwoDecimals(reading.baseKHz, 3);
  DrawBaseClockMarker(backBuffer, g, *row, megahertz, in.skins, in.text);
}

}  // namespace

void ComposeMainWindow(Canvas& backBuffer, const PaintInputs& in) {
  backBuffer.Fill({0, 0, backBuffer.Width(), backBuffer.Height()}, kWhite);
  const PaintGeometry g = ComputePaintGeometry(in.outerWidth, in.outerHeight);
  if (!g.drawable) return;
  const Canvas& frameSkin = in.skins.Get(kFrameSkin);
  MeterSurfaces meters(g.plotHeight, frameSkin);
  DrawSunkenFrame(in.panelSurface, kPanelSurfaceWidth, g.plotHeight, frameSkin);
  in.painters.PaintMeterSegments(meters.Pointers(), g.plotHeight, in.slot, in.skins);
  CopyMetersAndPanels(backBuffer, g, meters, in);
  in.painters.PaintInfoPanel(backBuffer, g.infoPanel, in.slot, in.text);
  DrawGridLines(backBuffer, g, in.gridPhase, in.skins);
  DrawGraphs(backBuffer, g, in);
  const Canvas& logo = in.skins.Get(kLogoSkin);
  backBuffer.Copy(logo, {0, 0, g.logo.width, g.logo.height}, g.logo.x, g.logo.y);
  DrawMarker(backBuffer, g, in);
}

}  // namespace display
