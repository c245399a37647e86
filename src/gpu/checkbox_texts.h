// The caption of the program's message boxes, and the messages of the check-box actions.
#pragma once

namespace gpu {

// The caption of every message box.
inline constexpr const wchar_t* kMessageCaption = L"Quorvane";

inline constexpr const wchar_t* kCsvNotSavedText = L"CSVファイルを保存できません";
inline constexpr const wchar_t* kBmpNotSavedText = L"BMPファイルを保存できません";
inline constexpr const wchar_t* kCsvOsNoticeText =
    L"この機能は以下のWindows OSのみサポートします\n\n- Windows 8\n- Windows 7\n"
    L"- Windows Server 2008 R2\n64bit Only\n\nお使いのOSはサポートしておりません\n";

}  // namespace gpu
