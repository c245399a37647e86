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

// The back buffer for a composed picture of this size, or null when none can be had.
display::BackBuffer* BackBufferFor(HDC target, int width, int height) {
  std::unique_ptr<display::BackBuffer>& kept = State().backBuffer;
  if (kept == nullptr || !kept->Fits(width, height)) {
    kept.reset();  // the old surface goes before the new one is made
    kept = std::make_unique<display::BackBuffer>(target, width, height);
  }
  return kept->Fits(width, height) ? kept.get() : nullptr;
}

// The composed picture of the whole window drawn into `target` at the client origin.
void DrawComposedWindow(HWND window, HDC target) {
  const display::SkinCanvases* skins = display::SkinSurfaceCanvases();
  AppState& state = State();
  RECT outer = {};
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  if (skins == nullptr || state.panelSurface == nullptr || height <= 20) return;
  display::BackBuffer* backBuffer = BackBufferFor(target, width, height - 20);
  if (backBuffer == nullptr) return;
  display::GdiTextRenderer text(state.uiFont, state.smallFont);
  const display::PaintInputs inputs{width,          height,
                                    SelectedSlot(), gpu::ProcessSlotTable().gridPhase.Load(),
                                    *skins,         *state.panelSurface,
                                    text,           display::ProgramPanelPainters()};
  display::ComposeMainWindow(backBuffer->Pixels(), inputs);
  BitBlt(target, 0, 0, width, height - 20, backBuffer->Context(), 0, 0, SRCCOPY);
}

// One child printed over the picture: in a surface of its own, at its own origin (controls
// clip in device coordinates), starting from the picture behind it as on the screen.
void PrintChild(HWND window, HWND child, HDC target) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  HDC surface = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  if (surface != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(surface, bitmap);
    BitBlt(surface, 0, 0, width, height, target, rect.left, rect.top, SRCCOPY);
    SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface), PRF_CLIENT);
    BitBlt(target, rect.left, rect.top, width, height, surface, 0, 0, SRCCOPY);
    SelectObject(surface, previous);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (surface != nullptr) DeleteDC(surface);
}

// The children over the picture, bottom of the Z order first.
void PrintChildren(HWND window, HDC target) {
  for (HWND child = GetWindow(GetTopWindow(window), GW_HWNDLAST); child != nullptr;
       child = GetWindow(child, GW_HWNDPREV)) {
    if (IsWindowVisible(child)) PrintChild(window, child, target);
  }
}

}  // namespace

void PaintMainWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  DrawComposedWindow(window, target);
  EndPaint(window, &paint);
}

void PrintMainWindow(HWND window, HDC target) {
  DrawComposedWindow(window, target);
  PrintChildren(window, target);
}

}  // namespace app
