// The log settings dialog "出力項目": which GPUs, which metrics, how often.
#pragma once

#include <windows.h>

namespace logging {

// Shows the dialog modally, owned by `owner`, built afresh from the defaults. On "CSV出力" the
// choice goes into the process's log settings; closing it with its close box sets
// `logDialogCancelled` to -1. False when the dialog could not be shown.
bool ShowLogSettingsDialog(HWND owner);

}  // namespace logging
