// Steps of the CSV log tests: the main window's boxes, the way from a ticked "CSV 出力" box
// through the save dialog to the log settings dialog, and the program's refusal message; the log
// file the program appends to; what a log of the two-GPU scenario holds. Failed expectations are
// reported through GoogleTest; a returned null window means the test cannot go on.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app_steps.h"

namespace e2e {

inline constexpr const wchar_t* kLogDialogTitle = L"出力項目";
inline constexpr const wchar_t* kCsvRefusedText = L"CSVファイルを保存できません";
// Controls of the log settings dialog.
inline constexpr int kLogStartButton = 1011;
inline constexpr int kFirstGpuBox = 1013;
inline constexpr int kGpuBoxCount = 8;
inline constexpr int kIntervalCombo = 1024;
// In the order of the dialog's items: the ten of 1000-1009, then 1021 and 1022.
inline constexpr std::array<int, 12> kItemBoxes = {1000, 1001, 1002, 1003, 1004, 1005,
                                                   1006, 1007, 1008, 1009, 1021, 1022};
inline constexpr int kGraphicsClockBox = 1000;
inline constexpr int kTemperatureBox = 1005;

// Ticks or unticks a check box of the main window.
void SetMainBox(HWND main, const wchar_t* caption, bool ticked);
inline int MainBoxState(HWND main, const wchar_t* caption) {
  return ButtonCheck(MainCheckBox(main, caption));
}
// Waits for the dialog titled `title` that the program opens in its next cycle, owned by `owner`.
HWND WaitForOwnedDialog(const AppProcess& app, HWND owner, const wchar_t* title);
// Ticks the main window's box with `caption` and waits for the save dialog it brings.
HWND TickAndWaitForSaveDialog(const AppProcess& app, HWND main, const wchar_t* caption);
// The above, then the save dialog accepted with `path` and the dialog titled `title` waited for.
HWND OpenSettingsDialog(const AppProcess& app, HWND main, const wchar_t* caption,
                        const std::wstring& path, const wchar_t* title);
// Ticks "CSV 出力", accepts the save dialog with `path` and waits for the log settings dialog.
inline HWND OpenLogDialog(const AppProcess& app, HWND main, const std::wstring& path) {
  return OpenSettingsDialog(app, main, kCsvBoxCaption, path, kLogDialogTitle);
}
// Presses "CSV出力" in the dialog and expects it to end.
void ConfirmLogDialog(HWND dialog);
// The two above: a run with the dialog's defaults on `path`; false when no dialog came.
bool StartLog(const AppProcess& app, HWND main, const std::wstring& path);
// Unticks "CSV 出力" and waits for the poll that reads it.
void StopLog(HWND main);
// The next visible message box of the process, or null when none appears in time.
HWND WaitForMessageBox(const AppProcess& app);
// The box shows `text` with an OK button only and is owned by `owner`.
void ExpectMessage(HWND box, HWND owner, const std::wstring& text);
// An icon beside the text (a visible icon control that holds one).
bool ShowsIcon(HWND box);
// Presses OK and waits for the box to go.
void Dismiss(HWND box);
// The three above in turn.
void ExpectOwnedMessageAndDismiss(const AppProcess& app, HWND owner, const std::wstring& text);
// The refusal of a request of the main window's box `caption`: `text` in a message owned by the
// main window, then the box unticked and no dialog titled `title` open.
void ExpectBoxRefused(const AppProcess& app, HWND main, const wchar_t* caption,
                      const std::wstring& text, const wchar_t* title);
inline void ExpectCsvRefused(const AppProcess& app, HWND main) {
  ExpectBoxRefused(app, main, kCsvBoxCaption, kCsvRefusedText, kLogDialogTitle);
}
// No file at `path` for `forMs` (the program would have made it by then).
void ExpectNoFile(const std::wstring& path, DWORD forMs);
// Waits until a poll of the program has read the boxes as they stand: flips "詳細モード" and
// waits for the information box to change, which happens in the poll that reads it. "CSV 出力"
// is read earlier in the same poll. The selected GPU must report its core counts, or the line
// is the same in both modes.
void WaitForPoll(HWND main);

// Reading the CSV log the program appends to: its lines, its time stamps and its columns, and
// waiting for it to grow or to settle.
struct LogLines {
  bool wellFormed = false;         // every line ends in CR LF; no CR or LF stands alone
  std::vector<std::string> lines;  // without their line ends
};

LogLines SplitCrLfLines(const std::string& bytes);
// The lines of the file as it stands (none when it cannot be read).
inline LogLines ReadLog(const std::wstring& path) {
  return SplitCrLfLines(ReadFileBytes(path).value_or(""));
}
// "YYYY/MM/DD HH:MM:SS" with a plausible month, day, hour, minute and second.
bool IsTimeStamp(std::string_view text);
// Seconds of a time stamp on a continuous scale, for differences; -1 when it is no time stamp.
long long StampSeconds(std::string_view stamp);
inline std::size_t CommaCount(std::string_view line) {
  return static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
}

// The file's lines once it holds at least `count` (whatever it holds at the deadline).
LogLines WaitForLines(const std::wstring& path, std::size_t count, DWORD timeoutMs);
// The file's bytes once they have not changed for `quietMs`; `settled` tells whether that
// happened before `timeoutMs`.
std::string WaitUntilSettled(const std::wstring& path, DWORD quietMs, DWORD timeoutMs,
                             bool& settled);

// What a log of tests/scenarios/e2e-log-two-gpus.txt holds. Its readings never change, so every
// line is known but for the time stamps: Alpha (two fans through the fan-cooler status) writes
// both fans' columns, Beta (one fan through the cooler query) its single values and an empty
// power field.
inline constexpr const char* kTwoGpuLogScenario = "e2e-log-two-gpus.txt";

// The header pair and the rows with all twelve items selected. Alpha's group is 15 columns wide
// (its time stamp, ten items, two columns per fan item), so Beta's name stands 15 commas after
// Alpha's.
inline const std::string kAllItemsNames = "Quorvane Sim Alpha,,,,,,,,,,,,,,,Quorvane Sim Beta";
inline const std::string kAllItemsColumns =
    ",Graphics Clock,Memory Clock,GPU Load,Memory Usage,Video Engine Load,Temperature,"
    "Power Draw,P-State,Memory Controller Load,Bus Interface Load,"
    "FAN1 Level,FAN2 Level,FAN1 rpm,FAN2 rpm,"
    ",Graphics Clock,Memory Clock,GPU Load,Memory Usage,Video Engine Load,Temperature,"
    "Power Draw,P-State,Memory Controller Load,Bus Interface Load,FAN Level,FAN rpm,";
inline std::string AllItemsRow(const std::string& stamp) {
  return stamp + ",1830,7001,57,2048.50,12,65,215.300,2,33,4,40,42,1400,1450," + stamp +
         ",1755,6000,91,1024.00,9,71,,8,48,7,45,1500,";
}
// The same with only Graphics Clock and Temperature selected.
inline const std::string kTwoItemsNames = "Quorvane Sim Alpha,,,Quorvane Sim Beta";
inline const std::string kTwoItemsColumns =
    ",Graphics Clock,Temperature,,Graphics Clock,Temperature,";
inline std::string TwoItemsRow(const std::string& stamp) {
  return stamp + ",1830,65," + stamp + ",1755,71,";
}

using RowOfStamp = std::string (*)(const std::string&);

// Lines [from, to) are rows of one pass each: a valid time stamp, the same for both GPUs, the
// row `expected` gives for it, and time stamps that never go back.
void ExpectRows(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                RowOfStamp expected);
// A run of all items from line `at` to the end: the header pair, then its rows.
void ExpectAllItemsRunAt(const std::vector<std::string>& lines, std::size_t at);
// Each row from line `from` on follows the one before by `least` to `most` seconds.
void ExpectStampGaps(const std::vector<std::string>& lines, std::size_t from, long long least,
                     long long most);

}  // namespace e2e
