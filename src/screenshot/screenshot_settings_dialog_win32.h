// The screenshot settings dialog "Screen Shot 設定": the trigger temperature.
#pragma once

#include <windows.h>

namespace screenshot {

// Shows the dialog modally, owned by `owner`, with 80 ℃ selected. "設定" (or Enter) stores the
// trigger temperature; closing it with its close box sets `screenshotDialogCancelled` to -1.
// False when the dialog could not be shown.
bool ShowScreenshotSettingsDialog(HWND owner);

}  // namespace screenshot
