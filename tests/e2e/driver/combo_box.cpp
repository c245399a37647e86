#include "combo_box.h"

#include "wait.h"
#include "window_control.h"

namespace e2e {

std::vector<std::wstring> ComboListTexts(HWND combo) {
  std::vector<std::wstring> texts;
  const LRESULT count = Send(combo, CB_GETCOUNT).value_or(0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, i).value_or(CB_ERR);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())).value_or(CB_ERR);
    if (copied == CB_ERR) return {};
    text.resize(static_cast<std::size_t>(copied));
    texts.push_back(text);
  }
  return texts;
}

int ComboSelection(HWND combo) {
  return static_cast<int>(Send(combo, CB_GETCURSEL).value_or(CB_ERR));
}

bool SelectComboEntry(HWND combo, int index) {
  return Send(combo, CB_SETCURSEL, index).value_or(CB_ERR) == index;
}

bool TypeIntoCombo(HWND combo, const std::wstring& text, DWORD timeoutMs) {
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (edit == nullptr || Send(edit, EM_SETSEL, 0, -1).value_or(-1) == -1) return false;
  for (wchar_t c : text)
    if (!PostMessageW(edit, WM_CHAR, c, 1)) return false;
  return WaitUntil([&] { return WindowText(edit) == text; }, timeoutMs);
}

}  // namespace e2e
