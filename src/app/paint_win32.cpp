#include "app/paint_win32.h"

#include "app/app_state_win32.h"
#include "display/back_buffer_win32.h"
#include "display/compose_window.h"
#include "display/gdi_text_renderer_win32.h"
#include "display/skin_surfaces_win32.h"
#include "gpu/gpu_slots.h"

namespace app {
namespace {

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
    const display::PaintInputs inputs{width,          height,
                                      SelectedSlot(), gpu::ProcessSlotTable().gridPhase.Load(),
                                      *skins,         *state.panelSurface,
                                      text,           display::ProgramPanelPainters()};
    display::ComposeMainWindow(backBuffer.Pixels(), inputs);
    BitBlt(target, 0, 0, width, height - 20, backBuffer.Context(), 0, 0, SRCCOPY);
  }
  EndPaint(window, &paint);
}

}  // namespace app
