// The top-level windows that belong to one process: its main window and its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::vector<HWND> TopLevelWindows(DWORD processId);
// The first top-level window of the process with this class (and title, when given).
HWND FindProcessWindow(DWORD processId, const std::string& className, const wchar_t* title);
// A message box ("#32770" titled "Quorvane") of the process, or null.
HWND FindMessageBox(DWORD processId);
// The main window ("QUORVANE") of the process, or null.
HWND FindMainWindow(DWORD processId);
// Visible top-level windows of the process other than `except`.
std::vector<HWND> OtherVisibleWindows(DWORD processId, HWND except);

}  // namespace e2e
