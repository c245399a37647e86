#include "save_dialog.h"

#include "dialog_controls.h"
#include "window_control.h"

namespace e2e {
namespace {

constexpr int kFileNameControl = 0x47C;

bool SetFileName(HWND dialog, const std::wstring& path) {
  HWND name = GetDlgItem(dialog, kFileNameControl);
  return name != nullptr && Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

}  // namespace

bool AcceptSaveDialog(HWND dialog, const std::wstring& path) {
  return SetFileName(dialog, path) && PostClick(dialog, IDOK);
}

bool CancelSaveDialog(HWND dialog, const std::wstring& path) {
  return SetFileName(dialog, path) && PostClick(dialog, IDCANCEL);
}

}  // namespace e2e
