// Reading and answering a message box of another process.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The message text: the box's static control 0xFFFF.
std::wstring MessageBoxText(HWND box);
// The box's buttons as (control id, caption) pairs, in Z order.
std::wstring MessageBoxButtons(HWND box);
// Presses OK (control 1); false when the box has no such button or does not answer.
bool DismissMessageBox(HWND box);

}  // namespace e2e
