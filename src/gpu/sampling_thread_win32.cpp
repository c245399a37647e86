#include "gpu/sampling_thread_win32.h"

#include <commctrl.h>

#include <utility>

#include "gpu/repaint_handoff_win32.h"
#include "gpu/sampler.h"
#include "platform/detached_thread_win32.h"

namespace gpu {
namespace {

class Win32CycleWindow final : public CycleWindow {
 public:
  explicit Win32CycleWindow(SamplingWindows windows) : windows_(std::move(windows)) {}

  // Called only for a caption that differs from what the tab shows.
  void SetTabCaption(int slot, const char* caption) override {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(windows_.tabControl, TCM_SETITEMA, static_cast<WPARAM>(slot),
                 reinterpret_cast<LPARAM>(&item));
    // A caption of another length moves the tabs after it: the strip is then redrawn with its
    // background, so that no piece of a longer label stays behind.
    InvalidateRect(windows_.tabControl, nullptr, TRUE);
  }

  void PollCheckboxes() override {
    if (windows_.pollCheckboxes) windows_.pollCheckboxes();
  }

  void ShowInfoLine() override {
    if (windows_.showInfoLine) windows_.showInfoLine();
  }

  WindowSize OuterSize() override {
    RECT outer = {};
    GetWindowRect(windows_.mainWindow, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
  }

  void Invalidate(const RepaintRequest& request) override {
    HandOverRepaintRequest(windows_.mainWindow, request);
  }

 private:
  SamplingWindows windows_;
};

struct ThreadContext {
  Vendor* vendor;
  SlotTable* table;
  Win32CycleWindow* window;
};

unsigned __stdcall SamplingThread(void* argument) {
  const auto* context = static_cast<ThreadContext*>(argument);
  return static_cast<unsigned>(
      RunSamplingThread(*context->vendor, *context->table, *context->window));
}

}  // namespace

bool StartSamplingThread(Vendor& vendor, SlotTable& table, SamplingWindows windows) {
  // The thread runs until the process ends, so what it uses lives as long.
  static Win32CycleWindow* window = new Win32CycleWindow(std::move(windows));
  static ThreadContext context{&vendor, &table, window};
  return platform::StartDetachedThread(&SamplingThread, &context);
}

}  // namespace gpu
