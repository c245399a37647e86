// Texts and class names of windows of another process, read with bounded waits.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

inline constexpr UINT kSendTimeoutMs = 5000;

// The window's text through WM_GETTEXT (wide), or "" when the owner does not answer in time.
std::wstring WindowText(HWND window);
std::string ClassName(HWND window);

}  // namespace e2e
