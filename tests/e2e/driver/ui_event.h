// What a starting program shows next: a message box, its main window, or its end. Watching for
// all three at once lets a test state the exact sequence, and tells a main window that became
// visible before (or instead of) a message box.
#pragma once

#include <windows.h>

#include <string>

#include "app_process.h"

namespace e2e {

enum class UiEventKind { kMessageBox, kMainWindowShown, kExited, kTimeout };

struct UiEvent {
  UiEventKind kind = UiEventKind::kTimeout;
  HWND window = nullptr;  // the message box or the main window
  DWORD exitCode = 0;
  double seconds = 0;  // since the process was started
};

// Waits up to `timeoutMs` for the first of: a visible message box, the visible main window, the
// end of the process (checked in that order at every poll).
UiEvent NextUiEvent(const AppProcess& app, DWORD timeoutMs);
std::string Describe(const UiEvent& event);

}  // namespace e2e
