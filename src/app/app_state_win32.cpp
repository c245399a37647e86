#include "app/app_state_win32.h"

namespace app {

AppState& State() {
  static AppState state;
  return state;
}

OffscreenSurface CreateOffscreenSurface(HDC reference, int width, int height) {
  OffscreenSurface surface;
  surface.bitmap = CreateCompatibleBitmap(reference, width, height);
  surface.dc = CreateCompatibleDC(reference);
  surface.previous = SelectObject(surface.dc, surface.bitmap);
  PatBlt(surface.dc, 0, 0, width, height, WHITENESS);
  return surface;
}

void ReleaseOffscreenSurface(OffscreenSurface& surface) {
  // A bitmap still selected into a context cannot be deleted, so the context goes first.
  if (surface.dc != nullptr) {
    SelectObject(surface.dc, surface.previous);
    DeleteDC(surface.dc);
  }
  if (surface.bitmap != nullptr) DeleteObject(surface.bitmap);
  surface = {};
}

}  // namespace app
