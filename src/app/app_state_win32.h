// The handles the program keeps for its whole run, written once by start-up.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "app/window_layout.h"
#include "display/back_buffer_win32.h"
#include "display/canvas.h"
#include "platform/lasting.h"

namespace app {

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
  // The framed black graph panel, kept from start-up to the window's destruction; white when
  // made. The painter copies its left part to the six graph places.
  std::unique_ptr<display::Canvas> panelSurface;
  // The composed window, kept from paint to paint and made again when the window's size
  // changes: a fresh surface per paint costs its whole memory in page faults every time.
  std::unique_ptr<display::BackBuffer> backBuffer;
};

inline AppState& State() {
  static platform::Lasting<AppState> state;
  return state.Get();
}

}  // namespace app
