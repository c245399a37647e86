#include "dialog_window.h"

#include "process_windows.h"
#include "wait.h"
#include "window_control.h"

namespace e2e {

HWND FindDialog(DWORD processId, const std::wstring& title) {
  HWND dialog = FindProcessWindow(processId, "#32770", title.c_str());
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND WaitForDialog(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(processId, title)) != nullptr; }, timeoutMs);
  return dialog;
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool PostCloseBox(HWND dialog) {
  return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

bool PostKey(HWND dialog, UINT virtualKey) {
  HWND focus = FocusInThreadOf(dialog);
  HWND target = focus != nullptr && IsChild(dialog, focus) ? focus : dialog;
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
  const LPARAM up = down | static_cast<LPARAM>(3) << 30;  // previous state down, released
  return PostMessageW(target, WM_KEYDOWN, virtualKey, down) &&
         PostMessageW(target, WM_KEYUP, virtualKey, up);
}

bool PostCommand(HWND dialog, int id) {
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != FALSE;
}

}  // namespace e2e
