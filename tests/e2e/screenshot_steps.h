// Steps of the screenshot tests: the way from a ticked "Screen Shot" box through the save dialog
// to the temperature dialog, the choice of a trigger, and the picture file or the refusal that
// ends a request. Failed expectations are reported through GoogleTest; a returned null window
// means the test cannot go on.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app_steps.h"
#include "bmp_image.h"

namespace e2e {

inline constexpr const wchar_t* kShotDialogTitle = L"Screen Shot 設定";
inline constexpr const wchar_t* kBmpRefusedText = L"BMPファイルを保存できません";
inline constexpr const wchar_t* kPathHasSpaceText = L"パスに空白を含まないで下さい";
inline constexpr const wchar_t* kTriggerRangeText =
    L"温度は 38 ℃ から 100 ℃ までの間で選択して下さい";
// Controls of the temperature dialog.
inline constexpr int kShotConfirmButton = 1;
inline constexpr int kTriggerCombo = 1025;
inline constexpr int kLowestTrigger = 38;
inline constexpr int kDefaultTriggerIndex = 42;  // 80 ℃
// A picture that is due is written within this time (sampling cycles are a second apart).
inline constexpr DWORD kShotTimeoutMs = 5000;
// Longer than two sampling cycles: a request that would fire has fired by then.
inline constexpr DWORD kNoShotMs = 2500;

// Ticks "Screen Shot", accepts the save dialog with `path` and waits for the temperature dialog.
HWND OpenShotDialog(const AppRun& run, const std::wstring& path);
HWND TriggerCombo(HWND dialog);
// Chooses `degrees` from the list, presses "設定" and expects the dialog to end; false when it
// stays.
bool ConfirmTrigger(HWND dialog, int degrees);
// Both of the above: a request for `path` at `degrees`; false when it could not be made.
bool RequestShot(const AppRun& run, const std::wstring& path, int degrees);
// The picture once the file exists and the box has gone off (the program unticks the box after
// writing), or nothing when that does not happen within `timeoutMs`.
std::optional<BmpImage> WaitForShot(const AppRun& run, const std::wstring& path,
                                    DWORD timeoutMs = kShotTimeoutMs);
// A request ended by the program with `text`, owned by the main window, and the box off.
void ExpectShotRefused(const AppRun& run, const std::wstring& text);

}  // namespace e2e
