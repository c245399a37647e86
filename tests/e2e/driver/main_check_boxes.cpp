#include "main_check_boxes.h"

#include "child_windows.h"

namespace e2e {

HWND MainCheckBox(HWND main, const wchar_t* caption) {
  for (const ChildWindow& child : ChildWindows(main)) {
    const LONG kind = GetWindowLongW(child.window, GWL_STYLE) & BS_TYPEMASK;
    if (child.className == "Button" && kind == BS_AUTOCHECKBOX && child.text == caption)
      return child.window;
  }
  return nullptr;
}

}  // namespace e2e
