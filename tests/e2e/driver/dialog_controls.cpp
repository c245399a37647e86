#include "dialog_controls.h"

#include "wait.h"
#include "window_control.h"

namespace e2e {

int ButtonCheck(HWND button) {
  if (button == nullptr) return kNoAnswer;
  return static_cast<int>(Send(button, BM_GETCHECK).value_or(kNoAnswer));
}

bool SetButtonCheck(HWND button, bool checked) {
  return button != nullptr && Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

int CheckState(HWND dialog, int id) {
  return ButtonCheck(GetDlgItem(dialog, id));
}

bool SetCheckState(HWND dialog, int id, bool checked) {
  return SetButtonCheck(GetDlgItem(dialog, id), checked);
}

bool ControlEnabled(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && IsWindowEnabled(control);
}

std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? std::wstring() : WindowText(control);
}

bool PostClick(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0);
}

bool DrainPostedMessages(HWND dialog, int checkBoxId, DWORD timeoutMs) {
  const int before = CheckState(dialog, checkBoxId);
  if (before == kNoAnswer) return false;
  for (int expected : {1 - before, before}) {
    if (!PostClick(dialog, checkBoxId)) return false;
    if (!WaitUntil([&] { return CheckState(dialog, checkBoxId) == expected; }, timeoutMs))
      return false;
  }
  return true;
}

}  // namespace e2e
