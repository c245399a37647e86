#include "process_windows.h"

#include "window_control.h"

namespace e2e {
namespace {

struct Collection {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* collection = reinterpret_cast<Collection*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == collection->processId) collection->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  Collection collection{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collection));
  return collection.windows;
}

HWND FindProcessWindow(DWORD processId, const std::string& className, const wchar_t* title) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) != className) continue;
    if (title == nullptr || WindowText(window) == title) return window;
  }
  return nullptr;
}

HWND FindMessageBox(DWORD processId) {
  return FindProcessWindow(processId, "#32770", L"Quorvane");
}

HWND FindMainWindow(DWORD processId) {
  return FindProcessWindow(processId, "QUORVANE", nullptr);
}

std::vector<HWND> OtherVisibleWindows(DWORD processId, HWND except) {
  std::vector<HWND> visible;
  for (HWND window : TopLevelWindows(processId))
    if (window != except && IsWindowVisible(window)) visible.push_back(window);
  return visible;
}

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
  return ok != nullptr && Send(ok, BM_CLICK).has_value();
}

}  // namespace e2e
