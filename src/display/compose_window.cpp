#include "display/compose_window.h"

#include "display/number_text.h"

#include <algorithm>
#include <memory>

#include "display/base_clock_marker.h"
#include "display/clock_graphs.h"
#include "display/grid_lines.h"
#include "display/line_graphs.h"
#include "display/paint_geometry.h"
#include "display/sunken_frame.h"
#include "display/temperature_graph.h"

namespace display {
namespace {

bool LiesInside(const Canvas& canvas, const Area& area) {
  return area.x >= 0 && area.y >= 0 && area.width <= canvas.Width() - area.x &&
         area.height <= canvas.Height() - area.y;
}

// The six meters of a paint, in graph order, framed. A meter that lies inside the back buffer is
// drawn in place, through a view of its area; only one that does not (a buffer smaller than the
// window) gets a surface of its own, copied into the back buffer as far as it reaches.
struct MeterSurfaces {
  MeterSurfaces(Canvas& backBuffer, const PaintGeometry& g, const Canvas& frameSkin) {
    const int P = g.plotHeight;
    // The frame's pieces cover the whole meter when the skin is as large; otherwise what they
    // leave stays white, as in a surface of its own.
    const bool framedWhole = frameSkin.Width() >= kMeterWidth && frameSkin.Height() >= P;
    for (int i = 0; i < kGraphCount; ++i) {
      inPlace[i] = LiesInside(backBuffer, g.meters[i]);
      if (inPlace[i]) {
        canvases[i] = std::make_unique<Canvas>(backBuffer, g.meters[i]);
        if (!framedWhole) canvases[i]->Fill({0, 0, kMeterWidth, P}, kWhite);
      } else {
        canvases[i] = std::make_unique<Canvas>(kMeterWidth, P);
      }
      DrawSunkenFrame(*canvases[i], kMeterWidth, P, frameSkin);
    }
  }
  std::array<Canvas*, kGraphCount> Pointers() {
    std::array<Canvas*, kGraphCount> pointers{};
    for (int i = 0; i < kGraphCount; ++i) pointers[i] = canvases[i].get();
    return pointers;
  }
  std::array<std::unique_ptr<Canvas>, kGraphCount> canvases;
  std::array<bool, kGraphCount> inPlace{};
};

// Per graph row, the meter and panel areas in x order, each as far as its copy will reach.
std::array<Area, 4> CoveredAreas(const PaintGeometry& g, const Canvas& panelSurface, int row) {
  std::array<Area, 4> covered{};
  for (int column = 0; column < 2; ++column) {
    const Area& panel = g.graphPanels[2 * row + column];
    covered[2 * column] = g.meters[2 * row + column];
    covered[2 * column + 1] = {panel.x, panel.y, std::min(panel.width, panelSurface.Width()),
                               std::min(panel.height, panelSurface.Height())};
  }
  return covered;
}

// The back buffer made white, except where the meters and panels are about to be drawn or copied
// whole and where the information panel's painter fills its panel (none of them overlap): the
// same picture as filling all of it first, for less than half the work.
void FillBackground(Canvas& backBuffer, const PaintGeometry& g, const Canvas& panelSurface) {
  std::array<std::array<Area, 4>, 4> covered{};
  for (int row = 0; row < 3; ++row) covered[row] = CoveredAreas(g, panelSurface, row);
  covered[3][0] = g.infoPanel;  // below the graph rows
  for (int y = 0; y < backBuffer.Height(); ++y) {
    int x = 0;
    for (const auto& areas : covered) {
      for (const Area& area : areas) {
        if (y < area.y || y - area.y >= area.height || area.width <= 0) continue;
        backBuffer.Fill({x, y, area.x - x, 1}, kWhite);
        x = std::max(x, area.x + area.width);
      }
    }
    backBuffer.Fill({x, y, backBuffer.Width() - x, 1}, kWhite);
  }
}

void CopyMetersAndPanels(Canvas& backBuffer, const PaintGeometry& g, MeterSurfaces& meters,
                         const PaintInputs& in) {
  for (int graph = 0; graph < kGraphCount; ++graph) {
    if (meters.inPlace[graph]) continue;
    const Area& to = g.meters[graph];
    backBuffer.Copy(*meters.canvases[graph], {0, 0, to.width, to.height}, to.x, to.y);
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
  const std::string megahertz = FormatFixed2(reading.baseKHz, 3);
  DrawBaseClockMarker(backBuffer, g, *row, megahertz, in.skins, in.text);
}

}  // namespace

void ComposeMainWindow(Canvas& backBuffer, const PaintInputs& in) {
  const PaintGeometry g = ComputePaintGeometry(in.outerWidth, in.outerHeight);
  if (!g.drawable) return backBuffer.Fill({0, 0, backBuffer.Width(), backBuffer.Height()}, kWhite);
  FillBackground(backBuffer, g, in.panelSurface);
  const Canvas& frameSkin = in.skins.Get(kFrameSkin);
  MeterSurfaces meters(backBuffer, g, frameSkin);
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
