// The texts that GPU discovery and the start-up around it show, in one place so that start-up
// and discovery use the same ones.
#pragma once

#include <string>

#include "gpu/nvapi_abi.h"

namespace gpu {

inline constexpr const wchar_t* kOsUnsupportedText = L"7以降のOSが必要です";
inline constexpr const wchar_t* kNvmlLoadFailedText = L"nvml.dllのロードに失敗しました";
inline constexpr const wchar_t* kNvmlInitFailedText = L"NvMLの初期化に失敗しました";
inline constexpr const wchar_t* kTooManyGpusText =
    L"ビデオカードが9枚以上存在します\n認識できるビデオカードは8枚までです\n8枚までを認識します";
inline constexpr const wchar_t* kGpuNameFailedText = L"GPU名を取得できません";
inline constexpr const wchar_t* kThreadFailedText = L"スレッドを作成できません";
// Followed by the status as a signed decimal.
inline constexpr const wchar_t* kNvapiFailurePrefix = L"NvAPIの初期化に失敗しました\nerrorcode ";

// "NvAPIの初期化に失敗しました\nerrorcode %d" with `status` in place of the placeholder.
inline std::wstring NvapiFailureText(NvAPI_Status status) {
  return std::wstring(kNvapiFailurePrefix) + std::to_wstring(status);
}

}  // namespace gpu
