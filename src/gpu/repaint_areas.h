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

// What one cycle asks to repaint: the meter, graph and information panel areas of the main
// window, all in one go so that they make one paint, and the child windows over the
// information panel's area. That area reaches over the frame of the information box, which
// the main window's paint covers and the box must then draw again. Each meter and graph area
// lies inside its group box's frame, where the box draws nothing, so those boxes are left alone.
struct RepaintRequest {
  std::array<Rect, 13> mainWindowAreas;
  Rect childrenOver;
};
RepaintRequest CycleRepaint(WindowSize outer);

// Moves the graph grid two pixels on, wrapping at 12.
void AdvanceGridPhase(SlotTable& table);

}  // namespace gpu
