#include "ui_event.h"

#include "process_windows.h"
#include "wait.h"

namespace e2e {
namespace {

bool Poll(const AppProcess& app, UiEvent& event) {
  HWND box = FindMessageBox(app.Id());
  if (box != nullptr && IsWindowVisible(box)) {
    event = {UiEventKind::kMessageBox, box, 0, app.SecondsSinceStart()};
    return true;
  }
  HWND main = FindMainWindow(app.Id());
  if (main != nullptr && IsWindowVisible(main)) {
    event = {UiEventKind::kMainWindowShown, main, 0, app.SecondsSinceStart()};
    return true;
  }
  if (auto code = app.WaitExit(0)) {
    event = {UiEventKind::kExited, nullptr, *code, app.SecondsSinceStart()};
    return true;
  }
  return false;
}

}  // namespace

UiEvent NextUiEvent(const AppProcess& app, DWORD timeoutMs) {
  UiEvent event;
  if (!app.Started()) return event;
  WaitUntil([&] { return Poll(app, event); }, timeoutMs);
  return event;
}

std::string Describe(const UiEvent& event) {
  switch (event.kind) {
    case UiEventKind::kMessageBox:
      return "a message box";
    case UiEventKind::kMainWindowShown:
      return "the visible main window";
    case UiEventKind::kExited:
      return "the end of the process with code " + std::to_string(event.exitCode);
    case UiEventKind::kTimeout:
      break;
  }
  return "nothing (timeout)";
}

}  // namespace e2e
