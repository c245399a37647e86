#include "app/save_dialog_win32.h"

#include <commdlg.h>

#include "app/utf8_path.h"

namespace app {
namespace {

static_assert(sizeof(OPENFILENAMEW) == 152);

struct SaveDialog {
  OPENFILENAMEW record;
  wchar_t file[platform::kPathSize];
  wchar_t fileTitle[platform::kPathSize];
};

// One record and its buffers per dialog for the whole run, cleared and refilled before every
// use. No flag: the file need not exist yet, and an existing one is appended to.
OPENFILENAMEW& Refill(SaveDialog& dialog, HWND owner, SaveDialogKind kind) {
  const bool csv = kind == SaveDialogKind::kCsv;
  OPENFILENAMEW& record = dialog.record;
  record = {};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.lpstrFilter = csv ? L"CSV(*.csv)\0*.csv\0" : L"BMP(*.bmp)\0*.bmp\0";
  record.lpstrFile = dialog.file;
  record.nMaxFile = platform::kPathSize;
  record.lpstrFileTitle = dialog.fileTitle;
  record.nMaxFileTitle = platform::kPathSize;
  record.lpstrTitle = L"ファイルを保存";
  record.lpstrDefExt = csv ? L"csv" : L"bmp";
  return record;
}

bool ToUtf8(const wchar_t* wide, char (&narrow)[platform::kPathSize]) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  char16_t units[platform::kPathSize] = {};
  for (std::size_t i = 0; i + 1 < platform::kPathSize && wide[i] != L'\0'; ++i) {
    units[i] = static_cast<char16_t>(wide[i]);
  }
  return WideToUtf8Path(units, narrow, sizeof narrow);
}

// The name in the ANSI code page; refused when a character of it has no exact form there.
bool ToAnsi(const wchar_t* wide, char (&narrow)[platform::kPathSize]) {
  if (GetACP() == kUtf8CodePage) return ToUtf8(wide, narrow);
  char converted[platform::kPathSize] = {};
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, converted,
                                         sizeof converted, nullptr, &lossy);
  if (length <= 0 || lossy) return false;
  CopyMemory(narrow, converted, sizeof narrow);
  return true;
}

}  // namespace

bool ShowSaveDialog(HWND owner, SaveDialogKind kind, char (&path)[platform::kPathSize]) {
  static SaveDialog dialogs[2] = {};
  SaveDialog& dialog = dialogs[kind == SaveDialogKind::kCsv ? 0 : 1];
  // The dialog opens with the name chosen last.
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, dialog.file, platform::kPathSize) == 0) {
    dialog.file[0] = L'\0';
  }
  if (GetSaveFileNameW(&Refill(dialog, owner, kind)) == 0) return false;
  return ToAnsi(dialog.file, path);
}

}  // namespace app
