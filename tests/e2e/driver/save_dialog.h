// The program's save dialog ("ファイルを保存"), answered from outside: a file name typed into
// its name field and accepted, or the dialog cancelled.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

inline constexpr const wchar_t* kSaveDialogTitle = L"ファイルを保存";

// Sets the name field (control 0x47C, a ComboBoxEx32) to `path` and presses OK (posted).
bool AcceptSaveDialog(HWND dialog, const std::wstring& path);
// Sets the name field to `path` first, so that a cancel that saves anyway shows, then presses
// Cancel (posted).
bool CancelSaveDialog(HWND dialog, const std::wstring& path);

}  // namespace e2e
