// The texts start-up shows when it cannot go on (discovery's own are in gpu/discovery_texts.h).
#pragma once

namespace app {

inline constexpr const wchar_t* kWindowFailedText = L"ウィンドウを作成できません";
inline constexpr const wchar_t* kFontFailedText = L"フォント作成エラー";
inline constexpr const wchar_t* kResourceMissingText = L"リソースが見つかりません";
inline constexpr const wchar_t* kResourceUnloadableText = L"リソースを読み込めません";

}  // namespace app
