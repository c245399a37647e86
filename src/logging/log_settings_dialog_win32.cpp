#include "logging/log_settings_dialog_win32.h"

#include <array>
#include <string>

#include "gpu/checkbox_texts.h"
#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"
#include "logging/log_dialog_rules.h"
#include "resource_ids.h"

namespace logging {
namespace {

// The item boxes by `LogItem`.
constexpr std::array<int, kLogItemCount> kItemBoxes = {resources::kLogGraphicsClock,
                                                       resources::kLogMemoryClock,
                                                       resources::kLogGpuLoad,
                                                       resources::kLogMemoryUsage,
                                                       resources::kLogVideoEngineLoad,
                                                       resources::kLogTemperature,
                                                       resources::kLogFanLevel,
                                                       resources::kLogFanRpm,
                                                       resources::kLogPowerDraw,
                                                       resources::kLogPState,
                                                       resources::kLogMemoryControllerLoad,
                                                       resources::kLogBusInterfaceLoad};

// The GPU boxes' captions, rebuilt at every opening.
char gpuCaptions[gpu::kMaxGpus][kLogCaptionSize];

int GpuBox(int slot) {
  return resources::kLogFirstGpu + slot;
}

// Boxes of existing GPUs get their captions and are checked (the first box always is); the
// boxes of missing GPUs stay empty and are disabled.
void InitializeGpuBoxes(HWND dialog) {
  gpu::SlotTable& table = gpu::ProcessSlotTable();
  const int count = table.gpuCount.Load();
  for (int slot = 0; slot < gpu::kMaxGpus; ++slot) {
    if (slot < count) {
      BuildLogGpuCaption(gpu::ProcessVendor(), table, slot, gpuCaptions[slot]);
      SetDlgItemTextA(dialog, GpuBox(slot), gpuCaptions[slot]);
    }
    if (slot < count || slot == 0) {
      CheckDlgButton(dialog, GpuBox(slot), BST_CHECKED);
    } else {
      EnableWindow(GetDlgItem(dialog, GpuBox(slot)), FALSE);
    }
  }
}

void Initialize(HWND dialog) {
  InitializeGpuBoxes(dialog);
  for (const int box : kItemBoxes) CheckDlgButton(dialog, box, BST_CHECKED);
  for (const IntervalEntry& entry : kIntervals) {
    SendDlgItemMessageW(dialog, resources::kLogInterval, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(entry.text));
  }
  SendDlgItemMessageW(dialog, resources::kLogInterval, CB_SETCURSEL, 0, 0);
}

// The selected interval, or the entry the typed text names exactly, or -1.
int IntervalIndex(HWND dialog) {
  const LRESULT selected = SendDlgItemMessageW(dialog, resources::kLogInterval, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) return static_cast<int>(selected);
  wchar_t typed[32] = {};
  GetDlgItemTextW(dialog, resources::kLogInterval, typed, 32);
  return IntervalIndexOf(typed);
}

LogDialogChoice ReadChoice(HWND dialog) {
  LogDialogChoice choice;
  for (int slot = 0; slot < gpu::kMaxGpus; ++slot) {
    choice.gpus[static_cast<std::size_t>(slot)] =
        IsDlgButtonChecked(dialog, GpuBox(slot)) == BST_CHECKED;
  }
  for (std::size_t item = 0; item < kItemBoxes.size(); ++item) {
    choice.items[item] = IsDlgButtonChecked(dialog, kItemBoxes[item]) == BST_CHECKED;
  }
  choice.intervalIndex = IntervalIndex(dialog);
  return choice;
}

// "CSV出力": true when the dialog ended.
bool Confirm(HWND dialog) {
  const std::wstring message = StoreLogChoice(ProcessLogSettings(), ReadChoice(dialog));
  if (!message.empty()) {
    MessageBoxW(dialog, message.c_str(), gpu::kMessageCaption, MB_OK);
    return false;
  }
  EndDialog(dialog, 0);
  return true;
}

// Enter and Escape (commands 1 and 2) are not handled, so only "CSV出力" and the close box end
// the dialog.
INT_PTR CALLBACK LogSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog);
      return TRUE;
    case WM_COMMAND:
      return LOWORD(wParam) == resources::kLogStartButton && Confirm(dialog);
    case WM_CLOSE:
      gpu::ProcessSlotTable().logDialogCancelled.Store(-1);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowLogSettingsDialog(HWND owner) {
  // The wide form keeps the template's Japanese texts and the intervals exact on every system.
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resources::kLogDialog), owner,
                         &LogSettingsDialog, 0) != -1;
}

}  // namespace logging
