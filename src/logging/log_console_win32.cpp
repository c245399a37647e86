#include "logging/log_console_win32.h"

#include <mutex>

#include "platform/lasting.h"

namespace logging {
namespace {

// Logging threads, never joined, may hold the lock while the process ends: it is never
// destroyed.
std::mutex& ConsoleLock() {
  static platform::Lasting<std::mutex> lock;
  return lock.Get();
}
int consoleUsers = 0;

BOOL WINAPI IgnoreInterrupts(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

// A console made for the log must not end the monitor when the user closes it.
void ProtectOwnConsole() {
  HWND window = GetConsoleWindow();
  if (window != nullptr) DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
  SetConsoleCtrlHandler(&IgnoreInterrupts, TRUE);
  SetConsoleOutputCP(932);  // the log's own messages are code page 932 text
}

HANDLE OpenConsoleOutput() {
  return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

bool ConsoleWritable() {
  HANDLE output = OpenConsoleOutput();
  if (output == INVALID_HANDLE_VALUE) return false;
  CloseHandle(output);
  return true;
}

void TakeConsole() {
  const std::lock_guard<std::mutex> lock(ConsoleLock());
  if (consoleUsers++ > 0) return;
  if (AttachConsole(ATTACH_PARENT_PROCESS) && ConsoleWritable()) return;
  if (AllocConsole()) {
    ProtectOwnConsole();
    return;
  }
  // A console the process came with that takes no output is given up for one of its own.
  if (!ConsoleWritable() && FreeConsole() && AllocConsole()) ProtectOwnConsole();
}

void LetConsoleGo() {
  const std::lock_guard<std::mutex> lock(ConsoleLock());
  if (--consoleUsers == 0) FreeConsole();
}

}  // namespace

bool LogConsole::Open() {
  TakeConsole();
  held_ = true;
  output_ = OpenConsoleOutput();
  return output_ != INVALID_HANDLE_VALUE;
}

void LogConsole::Close() {
  Flush();
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  output_ = INVALID_HANDLE_VALUE;
  if (held_) LetConsoleGo();
  held_ = false;
}

void LogConsole::SetAttribute(std::uint16_t attribute) {
  wanted_ = attribute;
}

void LogConsole::Write(std::string_view text) {
  if (wanted_ != pendingAttribute_) {
    Flush();
    pendingAttribute_ = wanted_;
  }
  pending_ += text;
}

void LogConsole::Flush() {
  if (pending_.empty()) return;
  if (pendingAttribute_ != kUnset) {
    SetConsoleTextAttribute(output_, static_cast<WORD>(pendingAttribute_));
  }
  DWORD written = 0;
  WriteFile(output_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr);
  pending_.clear();
}

}  // namespace logging
