#include "message_box.h"

#include "window_text.h"

namespace e2e {

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text == nullptr ? std::wstring() : WindowText(text);
}

std::wstring MessageBoxButtons(HWND box) {
  std::wstring buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Button" || !IsWindowVisible(child)) continue;
    if (!buttons.empty()) buttons += L" ";
    buttons += std::to_wstring(GetDlgCtrlID(child)) + L":" + WindowText(child);
  }
  return buttons;
}

bool DismissMessageBox(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok == nullptr) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

}  // namespace e2e
