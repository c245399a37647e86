#include "screenshot/screenshot_thread_win32.h"

#include <memory>

#include "gpu/checkbox_texts.h"
#include "platform/detached_thread_win32.h"
#include "platform/replacing_file.h"
#include "screenshot/trigger.h"
#include "screenshot/window_capture_win32.h"

namespace screenshot {
namespace {

struct ShotThreadArgument {
  ShotRequest request;
  HWND mainWindow;
};

class Win32ShotPlatform final : public ShotPlatform {
 public:
  explicit Win32ShotPlatform(const ShotThreadArgument& argument) : argument_(argument) {}
  void ShowMessage(const wchar_t* text) override {
    MessageBoxW(argument_.mainWindow, text, gpu::kMessageCaption, MB_OK);
  }
  void SleepMs(std::uint32_t milliseconds) override { Sleep(milliseconds); }
  void Capture(const char* path) override { CaptureWindow(argument_.mainWindow, path); }

 private:
  const ShotThreadArgument& argument_;
};

unsigned __stdcall ScreenshotThread(void* argument) {
  const std::unique_ptr<ShotThreadArgument> shot(static_cast<ShotThreadArgument*>(argument));
  Win32ShotPlatform platform(*shot);
  return static_cast<unsigned>(
      RunScreenshot(platform, gpu::ProcessSlotTable(), ProcessTriggerTemperature(), shot->request));
}

}  // namespace

bool StartScreenshotThread(const ShotRequest& request, HWND mainWindow) {
  auto* argument = new ShotThreadArgument{request, mainWindow};
  argument->request.codePage = platform::FileNameCodePage();  // the text of the chosen name
  if (platform::StartDetachedThread(&ScreenshotThread, argument)) return true;
  delete argument;
  return false;
}

}  // namespace screenshot
