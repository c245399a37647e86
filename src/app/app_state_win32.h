// The handles the program keeps for its whole run, written once by start-up.
#pragma once

#include <windows.h>

#include <array>

#include "app/window_layout.h"

namespace app {

// An off-screen drawing surface: a memory drawing context with its own bitmap selected.
struct OffscreenSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
};

struct AppState {
  HINSTANCE instance = nullptr;
  HANDLE instanceMutex = nullptr;
  char windowTitle[100] = {};
  char windowClassName[100] = {};
  HWND mainWindow = nullptr;
  std::array<HWND, kChildCount> children{};
  HWND tabControl = nullptr;
  HFONT uiFont = nullptr;
  HFONT smallFont = nullptr;
  OffscreenSurface panelSurface;
};

AppState& State();

// A white surface of the given size compatible with `reference`.
OffscreenSurface CreateOffscreenSurface(HDC reference, int width, int height);
// Deletes the drawing context, then its bitmap (which the context no longer holds).
void ReleaseOffscreenSurface(OffscreenSurface& surface);

}  // namespace app
