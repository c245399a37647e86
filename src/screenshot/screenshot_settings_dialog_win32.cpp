#include "screenshot/screenshot_settings_dialog_win32.h"

#include <optional>

#include "gpu/checkbox_texts.h"
#include "gpu/gpu_slots.h"
#include "resource_ids.h"
#include "screenshot/trigger.h"

namespace screenshot {
namespace {

constexpr const wchar_t* kTriggerOutOfRangeText =
    L"温度は 38 ℃ から 100 ℃ までの間で選択して下さい";

void Initialize(HWND dialog) {
  for (int i = 0; i < kTriggerChoices; ++i) {
    const std::wstring text = TriggerText(i);
    SendDlgItemMessageW(dialog, resources::kShotTemperature, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendDlgItemMessageW(dialog, resources::kShotTemperature, CB_SETCURSEL, kDefaultTriggerIndex, 0);
}

// The selected entry's temperature, or the one the typed text names.
std::optional<std::int32_t> ChosenTrigger(HWND dialog) {
  const LRESULT selected =
      SendDlgItemMessageW(dialog, resources::kShotTemperature, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) return TriggerOfIndex(static_cast<int>(selected));
  wchar_t typed[16] = {};
  GetDlgItemTextW(dialog, resources::kShotTemperature, typed, 16);
  return ParseTrigger(typed);
}

// "設定" or Enter: a temperature outside the choices is refused and the dialog stays open.
void Confirm(HWND dialog) {
  const std::optional<std::int32_t> trigger = ChosenTrigger(dialog);
  if (!trigger) {
    MessageBoxW(dialog, kTriggerOutOfRangeText, gpu::kMessageCaption, MB_OK);
    return;
  }
  ProcessTriggerTemperature().Store(*trigger);
  EndDialog(dialog, 0);
}

// Escape (command 2) is not handled: only "設定", Enter and the close box end the dialog.
INT_PTR CALLBACK ScreenshotSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != resources::kShotConfirmButton) return FALSE;
      Confirm(dialog);
      return TRUE;
    case WM_CLOSE:
      gpu::ProcessSlotTable().screenshotDialogCancelled.Store(-1);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowScreenshotSettingsDialog(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resources::kShotDialog), owner,
                         &ScreenshotSettingsDialog, 0) != -1;
}

}  // namespace screenshot
