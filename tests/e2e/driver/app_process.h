// One run of the program under test, started with a chosen simulator scenario. A run that is
// still going when the object ends is terminated, so a failed test never leaves it behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

class AppProcess {
 public:
  // Starts `exePath` with QUORVANE_SIM_SCENARIO set to `scenarioPath` (inherited by the child).
  AppProcess(const std::string& exePath, const std::string& scenarioPath);
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // The exit code once the process has ended within `timeoutMs`; nothing otherwise.
  std::optional<DWORD> WaitExit(DWORD timeoutMs) const;
  void Kill();
  double SecondsSinceStart() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  LARGE_INTEGER started_ = {};
};

}  // namespace e2e
