// The composition of the whole main window into its back buffer: frames, meters, graph panels,
// information panel, grid, the six history graphs, the logo and the base-clock marker, in the
// order that decides which element covers which. The caller copies the back buffer to the
// window in one copy afterwards, so the window never shows a half-drawn state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "display/canvas.h"
#include "display/skin_canvases.h"
#include "display/text_renderer.h"
#include "gpu/gpu_slots.h"

namespace display {

// The pieces the composition calls at their steps: the level meters and the information panel.
// The program passes ProgramPanelPainters(); tests pass fakes that watch the order.
class PanelPainters {
 public:
  virtual ~PanelPainters() = default;
  // Lights the segments of the six framed 82 x P meters (graph order).
  virtual void PaintMeterSegments(std::array<Canvas*, 6> meters, int plotHeight,
                                  const gpu::GpuSlot& slot, const SkinCanvases& skins) = 0;
  // Writes the six captions straight into the back buffer, each clipped to its meter's area.
  virtual void DrawMeterCaptions(Canvas& backBuffer, const std::array<Area, 6>& meterAreas,
                                 int plotHeight, const gpu::GpuSlot& slot, TextRenderer& text) = 0;
  // Fills the 760 x 110 `panel` area white and writes the panel's texts into it.
  virtual void PaintInfoPanel(Canvas& backBuffer, const Area& panel, const gpu::GpuSlot& slot,
                              TextRenderer& text) = 0;
};

// The program's own: the level meters and the information panel of this folder.
PanelPainters& ProgramPanelPainters();

struct PaintInputs {
  int outerWidth;  // W and H: the main window's outer size
  int outerHeight;
  const gpu::GpuSlot& slot;  // the selected slot
  std::int32_t gridPhase;
  const SkinCanvases& skins;
  Canvas& panelSurface;  // 417 x 208, lives across paints; reframed at every paint
  TextRenderer& text;
  PanelPainters& painters;
};

// Composes the window into `backBuffer` (W x (H - 20)), first made white. A window too small to
// hold a plot (see PaintGeometry::drawable) is left white and nothing else is called.
void ComposeMainWindow(Canvas& backBuffer, const PaintInputs& in);

}  // namespace display
