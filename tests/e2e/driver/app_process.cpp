#include "app_process.h"

#include <vector>

#include "process_windows.h"
#include "wait.h"

namespace e2e {

AppProcess::AppProcess(const std::string& exePath, const std::string& scenarioPath) {
  SetEnvironmentVariableA("QUORVANE_SIM_SCENARIO", scenarioPath.c_str());
  std::vector<char> commandLine(exePath.begin(), exePath.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  QueryPerformanceCounter(&started_);
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

AppProcess::~AppProcess() {
  Kill();
  if (process_ != nullptr) CloseHandle(process_);
}

bool AppProcess::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppProcess::WaitExit(DWORD timeoutMs) const {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return {};
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return {};
  return code;
}

void AppProcess::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

double AppProcess::SecondsSinceStart() const {
  LARGE_INTEGER now = {}, frequency = {};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - started_.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

UiEvent NextUiEvent(const AppProcess& app, DWORD timeoutMs) {
  UiEvent event;
  if (!app.Started()) return event;
  WaitUntil(
      [&] {
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
      },
      timeoutMs);
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
