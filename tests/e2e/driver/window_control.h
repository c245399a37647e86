// The windows of another process, read and acted on from outside as a user or the system would:
// texts and class names, size, keys and close. Every message is sent with a bounded wait, so a
// program that stops answering cannot hold the driver.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

inline constexpr UINT kSendTimeoutMs = 5000;

// The window's answer to a message sent (wide) with SMTO_ABORTIFHUNG; nothing when it is gone or
// its thread does not answer within kSendTimeoutMs.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// True when the window's thread answers a message within the send timeout.
inline bool Responds(HWND window) {
  return Send(window, WM_NULL).has_value();
}
// The window's text through WM_GETTEXT (wide), or "" when the owner does not answer in time.
std::wstring WindowText(HWND window);
std::string ClassName(HWND window);

// The outer size (window rectangle) of a window.
SIZE OuterSize(HWND window);
// Asks for a new outer size without moving the window and waits until its thread has handled
// the request (the window's own size limits apply); false when it does not answer in time.
bool RequestOuterSize(HWND window, int width, int height);
// Brings the window to the foreground and types the character `c` with Alt held, as keyboard
// input. (Wine's accelerator translation consults the key state, so a posted WM_SYSCHAR would
// never match an Alt accelerator there.) False when the window cannot be made the foreground.
bool TypeAltCharacter(HWND window, char c);
inline bool PostClose(HWND window) {
  return PostMessageA(window, WM_CLOSE, 0, 0);
}
// The window that has the keyboard focus in the thread of `window`, or null.
HWND FocusInThreadOf(HWND window);

}  // namespace e2e
