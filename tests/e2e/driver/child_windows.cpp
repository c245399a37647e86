#include "child_windows.h"

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

}  // namespace e2e
