#include "app/checkbox_host_win32.h"

#include "app/app_state_win32.h"
#include "app/child_controls.h"
#include "app/main_window_win32.h"
#include "app/save_dialog_win32.h"
#include "gpu/checkbox_texts.h"
#include "logging/log_settings_dialog_win32.h"
#include "logging/log_thread_win32.h"
#include "platform/lasting.h"
#include "screenshot/screenshot_settings_dialog_win32.h"
#include "screenshot/screenshot_thread_win32.h"

namespace app {
namespace {

using gpu::CheckBox;

class Win32CheckboxHost final : public gpu::CheckboxHost {
 public:
  bool IsTicked(CheckBox box) override {
    return SendMessageA(Box(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void Untick(CheckBox box) override { SendMessageA(Box(box), BM_SETCHECK, BST_UNCHECKED, 0); }
  bool ReadWindowsVersion(gpu::WindowsVersion& version) override {
    return gpu::ReadWindowsVersion(version);
  }
  void ShowMessage(const wchar_t* text) override {
    MessageBoxW(State().mainWindow, text, gpu::kMessageCaption, MB_OK);
  }
  bool ChooseFile(CheckBox box) override {
    gpu::SlotTable& table = gpu::ProcessSlotTable();
    return box == CheckBox::kCsv
               ? ShowSaveDialog(State().mainWindow, SaveDialogKind::kCsv, table.csvPath)
               : ShowSaveDialog(State().mainWindow, SaveDialogKind::kBitmap, table.shotPath);
  }
  bool ShowSettingsDialog(CheckBox box) override {
    return box == CheckBox::kCsv ? logging::ShowLogSettingsDialog(State().mainWindow)
                                 : screenshot::ShowScreenshotSettingsDialog(State().mainWindow);
  }
  bool StartThread(CheckBox box) override {
    const gpu::SlotTable& table = gpu::ProcessSlotTable();
    if (box == CheckBox::kShot) {
      return screenshot::StartScreenshotThread(screenshot::MakeShotRequest(table, table.shotPath),
                                               State().mainWindow);
    }
    return logging::StartLogThread(
        logging::MakeLogRun(table, logging::ProcessLogSettings(), table.csvPath));
  }
  void RebuildInfoLine() override { ShowInfoLine(); }
  void RepaintWholeWindow() override {
    InvalidateRect(State().mainWindow, nullptr, FALSE);
    UpdateWindow(State().mainWindow);
  }

 private:
  static HWND Box(CheckBox box) {
    switch (box) {
      case CheckBox::kCsv:
        return State().children[kCsvButtonIndex];
      case CheckBox::kDetail:
        return State().children[kDetailButtonIndex];
      case CheckBox::kShot:
        return State().children[kShotButtonIndex];
    }
    return nullptr;
  }
};

}  // namespace

void PollProcessCheckboxes() {
  // The sampling thread, never joined, may be inside a poll while the process ends.
  static platform::Lasting<Win32CheckboxHost> host;
  gpu::PollCheckboxes(host.Get(), gpu::ProcessSlotTable());
}

}  // namespace app
