#include "logging/log_thread_win32.h"

#include <windows.h>

#include <ctime>
#include <memory>

#include "logging/log_console_win32.h"
#include "platform/detached_thread_win32.h"

namespace logging {
namespace {

class Win32LogPlatform final : public LogPlatform {
 public:
  bool OpenConsole() override { return console_.Open(); }
  void CloseConsole() override { console_.Close(); }
  ConsoleSink& Console() override { return console_; }
  RecordFile& File() override { return file_; }
  LogTime Now() override {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_s(&local, &now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }
  void SleepMs(std::uint32_t milliseconds) override { Sleep(milliseconds); }
  platform::WriteGate& Gate() override { return platform::ProcessWriteGate(); }

 private:
  LogConsole console_;
  StdioRecordFile file_;
};

unsigned __stdcall LogThread(void* argument) {
  const std::unique_ptr<LogRun> run(static_cast<LogRun*>(argument));
  Win32LogPlatform platform;
  return static_cast<unsigned>(
      RunLogging(platform, gpu::ProcessSlotTable(), ProcessLogSettings(), *run));
}

}  // namespace

bool StartLogThread(const LogRun& run) {
  auto* copy = new LogRun(run);
  if (platform::StartDetachedThread(&LogThread, copy)) return true;
  delete copy;
  return false;
}

}  // namespace logging
