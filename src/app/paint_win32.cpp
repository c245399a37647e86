#include "app/paint_win32.h"

#include "app/app_state_win32.h"
#include "display/back_buffer_win32.h"
#include "display/compose_window.h"
#include "display/gdi_text_renderer_win32.h"
#include "display/info_panel.h"
#include "display/level_meters.h"
#include "display/number_text.h"
#include "display/skin_surfaces_win32.h"
#include "gpu/gpu_slots.h"

namespace app {
namespace {

class ProgramPainters final : public display::PanelPainters {
 public:
  void PaintMeterSegments(std::array<display::Canvas*, 6> meters, int plotHeight,
                          const gpu::GpuSlot& slot, const display::SkinCanvases& skins) override {
    display::PaintMeterSegments(meters, plotHeight, slot, skins);
  }
  void DrawMeterCaptions(display::Canvas& backBuffer,
                         const std::array<display::Area, 6>& meterAreas, int plotHeight,
                         const gpu::GpuSlot& slot, display::TextRenderer& text) override {
    display::DrawMeterCaptions(backBuffer, meterAreas, plotHeight, slot, text);
  }
  void PaintInfoPanel(display::Canvas& backBuffer, const display::Area& panel,
                      const gpu::GpuSlot& slot, display::TextRenderer& text) override {
    display::PaintInfoPanel(backBuffer, panel, slot, text);
  }
  std::string FixedTwoDecimals(std::uint32_t count, int scale) override {
    return display::FormatFixed2(count, scale);
  }
};

const gpu::GpuSlot& SelectedSlot() {
  const gpu::SlotTable& table = gpu::ProcessSlotTable();
  const int selected = table.selectedSlot.Load();
  return table
      .slots[static_cast<std::size_t>(selected >= 0 && selected < gpu::kMaxGpus ? selected : 0)];
}

}  // namespace

void PaintMainWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  const display::SkinCanvases* skins = display::SkinSurfaceCanvases();
  AppState& state = State();
  RECT outer = {};
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  if (skins != nullptr && state.panelSurface != nullptr && height > 20) {
    display::BackBuffer backBuffer(target, width, height - 20);
    display::GdiTextRenderer text(state.uiFont, state.smallFont);
    ProgramPainters painters;
    const display::PaintInputs inputs{width,          height,
                                      SelectedSlot(), gpu::ProcessSlotTable().gridPhase.Load(),
                                      *skins,         *state.panelSurface,
                                      text,           painters};
    display::ComposeMainWindow(backBuffer.Pixels(), inputs);
    BitBlt(target, 0, 0, width, height - 20, backBuffer.Context(), 0, 0, SRCCOPY);
  }
  EndPaint(window, &paint);
}

}  // namespace app
