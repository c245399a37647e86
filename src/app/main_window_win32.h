// The main window: its class, its children, fonts and tabs, and its window procedure.
#pragma once

#include <windows.h>

namespace app {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterMainWindowClass();
// The hidden main window, 900 × 520; null on failure.
HWND CreateMainWindow();
// The sixteen children in creation order; false at the first that cannot be created.
bool CreateChildControls();
// `uiFont` and `smallFont`; false when either cannot be created.
bool CreateFonts();
void ApplyUiFont(HWND window);
// The tab control with one tab per GPU, the display GPU's tab selected.
void CreateTabs();
// The GPU information line of the selected slot, as the information box's caption.
void ShowInfoLine();

}  // namespace app
