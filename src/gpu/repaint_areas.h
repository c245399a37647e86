// Which parts of the main window a sampling cycle asks to repaint: the six meters, the six graph
// panels and the information panel, as a pure function of the window's outer size.
#pragma once

#include <array>
#include <cstdint>

#include "gpu/gpu_slots.h"

namespace gpu {

struct Rect {
  std::int32_t left, top, right, bottom;
  bool operator==(const Rect&) const = default;
};

struct WindowSize {
  std::int32_t width, height;
};

// The meters (left column, right column, by row), then the graph panels in the same order.
std::array<Rect, 12> MeterAndGraphAreas(WindowSize outer);
Rect InformationPanelArea(WindowSize outer);

// Moves the graph grid two pixels on, wrapping at 12.
void AdvanceGridPhase(SlotTable& table);

}  // namespace gpu
