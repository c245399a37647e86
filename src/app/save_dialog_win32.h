// The save dialogs of the CSV log and the screenshot: "ファイルを保存", one filter, the file
// chosen last as the starting name.
#pragma once

#include <windows.h>

#include "gpu/gpu_slots.h"

namespace app {

enum class SaveDialogKind { kCsv, kBitmap };

// Shows the dialog owned by `owner`, starting from the name in `path`; on OK the chosen name
// replaces it, in the system's ANSI code page. False when the dialog was cancelled or failed,
// or when the name has characters that code page cannot hold (the file could not be opened by
// that name); `path` is then unchanged.
bool ShowSaveDialog(HWND owner, SaveDialogKind kind, char (&path)[platform::kPathSize]);

}  // namespace app
