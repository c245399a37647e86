// What the measuring and soak drivers share: announcing on standard output, waiting for the
// program's main window, and starting a CSV log through its dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "driver/app_process.h"

namespace bench {

inline constexpr DWORD kTimeoutMs = 20000;

// One line on standard output, flushed at once: the scripts read it as it comes.
void Say(const char* format, ...);
std::wstring Wide(const std::string& text);
// The visible main window once all its children exist, or null.
HWND WaitForMainWindow(const e2e::AppProcess& app);
// Ticks "CSV 出力", names the file (a Unix or Windows path on drive Z:) and starts the log with
// the dialog's settings: every item of every GPU, one record a second.
bool StartCsvLog(const e2e::AppProcess& app, HWND main, const std::string& path);

}  // namespace bench
