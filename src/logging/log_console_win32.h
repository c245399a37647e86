// The console a logging run echoes to. The process has one console at most, shared by the runs
// that overlap for a moment when one starts as the previous one ends: the first run attaches to
// the console of the process that started the program or makes a new one, the last one releases
// it. A console made here cannot close the program: its close command is removed and Ctrl+C and
// Ctrl+Break are ignored. A console the program was started from is left as it is.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "logging/log_format.h"

namespace logging {

class LogConsole final : public ConsoleSink {
 public:
  // Takes the process's console and opens its output; false when there is no output to
  // write to.
  bool Open();
  // Closes the output and lets the console go when no other run uses it.
  void Close();

  // Texts of one attribute are gathered and written with one call when the attribute changes
  // or the pass ends: the console shows the same, at a fraction of the calls.
  void SetAttribute(std::uint16_t attribute) override;
  void Write(std::string_view text) override;
  void Flush() override;

 private:
  static constexpr int kUnset = -1;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  bool held_ = false;
  int wanted_ = kUnset;  // the attribute of the next text
  int pendingAttribute_ = kUnset;
  std::string pending_;
};

}  // namespace logging
