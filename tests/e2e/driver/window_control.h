// Acting on the main window from outside as a user or the system would: size, keys, close.
#pragma once

#include <windows.h>

namespace e2e {

// The outer size (window rectangle) of a window.
SIZE OuterSize(HWND window);
// Asks for a new outer size without moving the window and waits until its thread has handled
// the request (the window's own size limits apply); false when it does not answer in time.
bool RequestOuterSize(HWND window, int width, int height);
// Brings the window to the foreground and types the character `c` with Alt held, as keyboard
// input. (Wine's accelerator translation consults the key state, so a posted WM_SYSCHAR would
// never match an Alt accelerator there.) False when the window cannot be made the foreground.
bool TypeAltCharacter(HWND window, char c);
bool PostClose(HWND window);
// The window that has the keyboard focus in the thread of `window`, or null.
HWND FocusInThreadOf(HWND window);
// True when the window's thread answers a message within the send timeout.
bool Responds(HWND window);

}  // namespace e2e
