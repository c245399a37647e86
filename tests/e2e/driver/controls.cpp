// The controls the driver works: child windows and check boxes, the controls of a dialog, combo
// boxes, the save dialog's name field and the tab strip.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>

#include "child_windows.h"
#include "combo_box.h"
#include "dialog_controls.h"
#include "main_check_boxes.h"
#include "save_dialog.h"
#include "tab_control.h"
#include "wait.h"
#include "window_control.h"

namespace e2e {

RECT RectInParent(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<ChildWindow> ChildWindows(HWND parent) {
  std::vector<ChildWindow> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(
        {child, ClassName(child), WindowText(child), GetDlgCtrlID(child), RectInParent(child)});
  return children;
}

HWND FindChild(HWND parent, const std::string& className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    if (ClassName(child) == className) return child;
  return nullptr;
}

HWND MainCheckBox(HWND main, const wchar_t* caption) {
  for (const ChildWindow& child : ChildWindows(main)) {
    const LONG kind = GetWindowLongW(child.window, GWL_STYLE) & BS_TYPEMASK;
    if (child.className == "Button" && kind == BS_AUTOCHECKBOX && child.text == caption)
      return child.window;
  }
  return nullptr;
}

int ButtonCheck(HWND button) {
  if (button == nullptr) return kNoAnswer;
  return static_cast<int>(Send(button, BM_GETCHECK).value_or(kNoAnswer));
}

bool SetButtonCheck(HWND button, bool checked) {
  return button != nullptr && Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
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

bool TypeIntoCombo(HWND combo, const std::wstring& text, DWORD timeoutMs) {
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  if (edit == nullptr || Send(edit, EM_SETSEL, 0, -1).value_or(-1) == -1) return false;
  for (wchar_t c : text)
    if (!PostMessageW(edit, WM_CHAR, c, 1)) return false;
  return WaitUntil([&] { return WindowText(edit) == text; }, timeoutMs);
}

namespace {

constexpr int kFileNameControl = 0x47C;

bool SetFileName(HWND dialog, const std::wstring& path) {
  HWND name = GetDlgItem(dialog, kFileNameControl);
  return name != nullptr && Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

}  // namespace

bool AcceptSaveDialog(HWND dialog, const std::wstring& path) {
  return SetFileName(dialog, path) && PostClick(dialog, IDOK);
}

bool CancelSaveDialog(HWND dialog, const std::wstring& path) {
  return SetFileName(dialog, path) && PostClick(dialog, IDCANCEL);
}

namespace {

constexpr int kLabelBytes = 256;

// A block of memory inside the program, for the tab control's queries: their arguments are
// pointers, which the system does not carry across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, Address(offset), data, size, &written) && written == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, Address(offset), data, size, &read) && read == size;
  }

 private:
  HANDLE process_;
  void* address_;
};

// One label through an item record and a text buffer that both live in the target.
bool ReadLabel(const RemoteBuffer& remote, HWND tabs, int index, std::string& label) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = remote.Address(sizeof(TCITEMA));
  item.cchTextMax = kLabelBytes;
  char text[kLabelBytes] = {};
  if (!remote.Write(0, &item, sizeof(item)) || !remote.Write(sizeof(item), text, sizeof(text)))
    return false;
  if (!Send(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote.Address())).value_or(FALSE))
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
  const LRESULT count = Send(tabs, TCM_GETITEMCOUNT).value_or(0);
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
  return static_cast<int>(Send(tabs, TCM_GETCURSEL).value_or(-1));
}

bool ClickTab(HANDLE process, HWND tabs, int index) {
  RemoteBuffer remote(process, sizeof(RECT));
  RECT rect = {};
  if (!remote.Valid() ||
      !Send(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.Address()))
           .value_or(FALSE) ||
      !remote.Read(0, &rect, sizeof(rect)))
    return false;
  const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre) &&
         PostMessageA(tabs, WM_LBUTTONUP, 0, centre);
}

}  // namespace e2e
