#include "app_process.h"

#include <vector>

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

}  // namespace e2e
