// A dialog window ("#32770") of the program under test: finding it by its title and acting on
// it as a user would with the keyboard or the close box. Every action is posted, so a dialog
// that opens another modal window cannot hold the driver.
#pragma once

#include <windows.h>

#include <string>

#include "wait.h"

namespace e2e {

// The first visible top-level dialog of the process with exactly this title, or null.
HWND FindDialog(DWORD processId, const std::wstring& title);
// Waits up to `timeoutMs` for such a dialog; null when none appears.
HWND WaitForDialog(DWORD processId, const std::wstring& title, DWORD timeoutMs);
// True when `window` is gone within `timeoutMs`.
inline bool WaitGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}
// WM_SYSCOMMAND SC_CLOSE: the close box of the caption.
inline bool PostCloseBox(HWND dialog) {
  return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}
// The Enter or Escape key as key-down and key-up messages to the control that has the focus in
// the dialog (the dialog itself when none of its controls has it), as the keyboard delivers them.
bool PostKey(HWND dialog, UINT virtualKey);
// WM_COMMAND with `id` (IDOK, IDCANCEL) as the dialog manager sends it for Enter and Escape.
bool PostCommand(HWND dialog, int id);

}  // namespace e2e
