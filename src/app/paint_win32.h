// WM_PAINT of the main window: the whole window composed into one back buffer by the software
// painter, then copied to the window in one step; WM_PRINTCLIENT draws the same picture.
#pragma once

#include <windows.h>

namespace app {

void PaintMainWindow(HWND window);
// WM_PRINTCLIENT: the same picture and, over it, the child controls, into `target`, so that a
// printed copy of the window (a screenshot) shows what the screen shows.
void PrintMainWindow(HWND window, HDC target);

}  // namespace app
