// The main window's three check boxes, found by their captions. The program reads them once a
// cycle with BM_GETCHECK, so setting the state from outside (BM_SETCHECK, which notifies no one)
// is what a click amounts to for it.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr const wchar_t* kCsvBoxCaption = L"CSV 出力";
inline constexpr const wchar_t* kShotBoxCaption = L"Screen Shot";
inline constexpr const wchar_t* kDetailBoxCaption = L"詳細モード";

// The check box child of `main` with this caption, or null.
HWND MainCheckBox(HWND main, const wchar_t* caption);

}  // namespace e2e
