#include "tab_control.h"

#include <commctrl.h>

#include "remote_buffer.h"
#include "window_text.h"

namespace e2e {
namespace {

constexpr int kLabelBytes = 256;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return failed;
  return static_cast<LRESULT>(result);
}

// One label through an item record and a text buffer that both live in the target.
bool ReadLabel(const RemoteBuffer& remote, HWND tabs, int index, std::string& label) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = remote.Address(sizeof(TCITEMA));
  item.cchTextMax = kLabelBytes;
  char text[kLabelBytes] = {};
  if (!remote.Write(0, &item, sizeof(item)) || !remote.Write(sizeof(item), text, sizeof(text)))
    return false;
  if (!Send(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote.Address()), FALSE))
    return false;
  // A control that pointed the record at a buffer of its own instead of filling ours fails.
  if (!remote.Read(0, &item, sizeof(item)) || item.pszText != remote.Address(sizeof(TCITEMA)) ||
      !remote.Read(sizeof(TCITEMA), text, sizeof(text)))
    return false;
  text[kLabelBytes - 1] = '\0';
  label = text;
  return true;
}

}  // namespace

std::vector<std::string> TabLabels(HANDLE process, HWND tabs) {
  const LRESULT count = Send(tabs, TCM_GETITEMCOUNT, 0, 0, 0);
  RemoteBuffer remote(process, sizeof(TCITEMA) + kLabelBytes);
  std::vector<std::string> labels;
  if (!remote.Valid()) return labels;
  for (int i = 0; i < count; ++i) {
    std::string label;
    if (!ReadLabel(remote, tabs, i, label)) return {};
    labels.push_back(label);
  }
  return labels;
}

int SelectedTab(HWND tabs) {
  return static_cast<int>(Send(tabs, TCM_GETCURSEL, 0, 0, -1));
}

bool ClickTab(HANDLE process, HWND tabs, int index) {
  RemoteBuffer remote(process, sizeof(RECT));
  RECT rect = {};
  if (!remote.Valid() ||
      !Send(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.Address()), FALSE) ||
      !remote.Read(0, &rect, sizeof(rect)))
    return false;
  const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre) &&
         PostMessageA(tabs, WM_LBUTTONUP, 0, centre);
}

}  // namespace e2e
