#include "gpu/repaint_areas.h"

#include <algorithm>

namespace gpu {

std::array<Rect, 12> MeterAndGraphAreas(WindowSize outer) {
  const std::int32_t h = (outer.height - 20) / 3;
  const std::int32_t w = outer.width / 2;
  const std::int32_t rowTop[3] = {47, h - 15, 2 * h - 77};
  const std::int32_t rowBottom[3] = {h - 45, 2 * h - 107, 3 * h - 169};
  std::array<Rect, 12> areas{};
  for (int row = 0; row < 3; ++row) {
    areas[2 * row] = {19, rowTop[row], 101, rowBottom[row]};
    areas[2 * row + 1] = {w + 24, rowTop[row], w + 106, rowBottom[row]};
    areas[6 + 2 * row] = {139, rowTop[row], w - 44, rowBottom[row]};
    areas[6 + 2 * row + 1] = {w + 144, rowTop[row], 2 * w - 39, rowBottom[row]};
  }
  return areas;
}

Rect InformationPanelArea(WindowSize outer) {
  return {12, outer.height - 162, 682, outer.height - 34};
}

RepaintRequest CycleRepaint(WindowSize outer) {
  RepaintRequest request{};
  const std::array<Rect, 12> areas = MeterAndGraphAreas(outer);
  std::copy(areas.begin(), areas.end(), request.mainWindowAreas.begin());
  request.mainWindowAreas[12] = request.childrenOver = InformationPanelArea(outer);
  return request;
}

void AdvanceGridPhase(SlotTable& table) {
  const std::int32_t phase = table.gridPhase.Load() + 2;
  table.gridPhase.Store(phase >= 12 ? 0 : phase);
}

}  // namespace gpu
