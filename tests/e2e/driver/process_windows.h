// The top-level windows of one process: its main window and its message boxes, read and answered.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::vector<HWND> TopLevelWindows(DWORD processId);
// The first top-level window of the process with this class (and title, when given).
HWND FindProcessWindow(DWORD processId, const std::string& className, const wchar_t* title);
// A message box ("#32770" titled "Quorvane") of the process, or null.
inline HWND FindMessageBox(DWORD processId) {
  return FindProcessWindow(processId, "#32770", L"Quorvane");
}
// The main window ("QUORVANE") of the process, or null.
inline HWND FindMainWindow(DWORD processId) {
  return FindProcessWindow(processId, "QUORVANE", nullptr);
}
// Visible top-level windows of the process other than `except`.
std::vector<HWND> OtherVisibleWindows(DWORD processId, HWND except);

// The message text: the box's static control 0xFFFF.
std::wstring MessageBoxText(HWND box);
// The box's buttons as (control id, caption) pairs, in Z order.
std::wstring MessageBoxButtons(HWND box);
// Presses OK (control 1); false when the box has no such button or does not answer.
bool DismissMessageBox(HWND box);

}  // namespace e2e
