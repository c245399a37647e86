// The controls of a dialog of another process, by their ids: check state, enabled state, text,
// and a click. Reads are sent with a bounded wait; the click is posted.
#pragma once

#include <windows.h>

#include <string>

#include "window_control.h"

namespace e2e {

inline constexpr int kNoAnswer = -1;

// BM_GETCHECK of any button window: 0, 1, or kNoAnswer when it is gone or does not answer.
int ButtonCheck(HWND button);
// BM_SETCHECK, sent (no notification reaches the owner); false when it does not answer.
bool SetButtonCheck(HWND button, bool checked);
// The same for control `id` of `dialog`.
inline int CheckState(HWND dialog, int id) {
  return ButtonCheck(GetDlgItem(dialog, id));
}
inline bool SetCheckState(HWND dialog, int id, bool checked) {
  return SetButtonCheck(GetDlgItem(dialog, id), checked);
}
inline bool ControlEnabled(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && IsWindowEnabled(control);
}
inline std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? std::wstring() : WindowText(control);
}
// A posted BM_CLICK: the owner receives BN_CLICKED as from a mouse click.
bool PostClick(HWND dialog, int id);
// Lets the dialog's thread work off every message posted to it so far: clicks check box `id`
// twice and waits for both toggles. False when the box does not toggle, for example because
// the dialog has ended; the box's state is back as it was when true.
bool DrainPostedMessages(HWND dialog, int checkBoxId, DWORD timeoutMs);

}  // namespace e2e
