// The child windows of a window in Z order (the order of creation for our controls), with their
// classes, texts and rectangles in the parent's client coordinates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct ChildWindow {
  HWND window;
  std::string className;
  std::wstring text;
  int id;
  RECT rect;  // client coordinates of the parent
};

std::vector<ChildWindow> ChildWindows(HWND parent);
RECT RectInParent(HWND child);
// The first child of this class, or null.
HWND FindChild(HWND parent, const std::string& className);

}  // namespace e2e
