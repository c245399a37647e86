// Where everything of the main window lies, from the window's outer size W x H alone: the row
// pitch T = (H - 20) / 3, the plot height P = T - 92, the graph width term G = W / 2 - 165, the
// three row tops, the meters, graph panels, information panel and logo, and for each history
// graph its newest column and how many samples fit. Positions are back-buffer (client)
// coordinates; every division truncates toward zero.
#pragma once

#include <array>

#include "display/canvas.h"

namespace display {

// The six metric pairs, in the order the painter copies and draws them.
enum GraphIndex : int {
  kGraphicsClockGraph = 0,
  kMemoryClockGraph = 1,
  kLoadGraph = 2,
  kMemoryUsageGraph = 3,
  kTemperatureGraph = 4,
  kPowerGraph = 5,
};
inline constexpr int kGraphCount = 6;

inline constexpr int kMeterWidth = 82;
inline constexpr int kPanelSurfaceWidth = 417;
inline constexpr int kPanelSurfaceHeight = 208;
inline constexpr int kSampleStep = 2;  // every sample takes a 2-pixel column

// Sample i of a graph stands at x = newestX - 2i and is drawn while x >= leftmostX.
struct GraphColumns {
  int newestX = 0;
  int leftmostX = 0;
  int shown = 0;  // samples 0 to shown - 1 pass the column test (at most the history length)
  int X(int index) const { return newestX - kSampleStep * index; }
};

struct PaintGeometry {
  int outerWidth = 0;  // W and H, clamped to 0 to kLargestOuterSide
  int outerHeight = 0;
  int rowPitch = 0;    // T
  int plotHeight = 0;  // P: height of every meter and graph panel
  int graphWidth = 0;  // G
  std::array<int, 3> rowTops{};
  std::array<Area, kGraphCount> meters{};
  std::array<Area, kGraphCount> graphPanels{};
  Area infoPanel{};
  Area logo{};
  std::array<GraphColumns, kGraphCount> columns{};
  // False when the window is too small to hold a plot (P < 4 or G < 22): nothing is painted.
  bool drawable = false;

  int RowTop(int graph) const { return rowTops[graph / 2]; }
  bool LeftColumn(int graph) const { return graph % 2 == 0; }
};

// Outer sides beyond this are treated as this, so that no position can overflow.
inline constexpr int kLargestOuterSide = 32767;

PaintGeometry ComputePaintGeometry(int outerWidth, int outerHeight);

}  // namespace display
