#include "logging_steps.h"

#include <cctype>

namespace e2e {

void SetMainBox(HWND main, const wchar_t* caption, bool ticked) {
  HWND box = MainCheckBox(main, caption);
  ASSERT_NE(box, nullptr) << "no check box";
  ASSERT_TRUE(SetButtonCheck(box, ticked));
  EXPECT_EQ(ButtonCheck(box), ticked ? 1 : 0);
}

HWND WaitForOwnedDialog(const AppProcess& app, HWND owner, const wchar_t* title) {
  HWND dialog = WaitForDialog(app.Id(), title, kCycleTimeoutMs);
  EXPECT_NE(dialog, nullptr) << "no dialog " << title;
  if (dialog != nullptr) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
  }
  return dialog;
}

HWND TickAndWaitForSaveDialog(const AppProcess& app, HWND main, const wchar_t* caption) {
  SetMainBox(main, caption, true);
  return WaitForOwnedDialog(app, main, kSaveDialogTitle);
}

HWND OpenSettingsDialog(const AppProcess& app, HWND main, const wchar_t* caption,
                        const std::wstring& path, const wchar_t* title) {
  HWND save = TickAndWaitForSaveDialog(app, main, caption);
  if (save == nullptr) return nullptr;
  EXPECT_TRUE(AcceptSaveDialog(save, path));
  EXPECT_TRUE(WaitGone(save, kCycleTimeoutMs)) << "the save dialog stays open";
  return WaitForOwnedDialog(app, main, title);
}

void ConfirmLogDialog(HWND dialog) {
  ASSERT_TRUE(PostClick(dialog, kLogStartButton));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "the log settings dialog stays open";
}

bool StartLog(const AppProcess& app, HWND main, const std::wstring& path) {
  HWND dialog = OpenLogDialog(app, main, path);
  if (dialog == nullptr) return false;
  ConfirmLogDialog(dialog);
  return true;
}

void StopLog(HWND main) {
  SetMainBox(main, kCsvBoxCaption, false);
  WaitForPoll(main);
}

HWND WaitForMessageBox(const AppProcess& app) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = FindMessageBox(app.Id());
        return box != nullptr && IsWindowVisible(box);
      },
      kCycleTimeoutMs);
  EXPECT_NE(box, nullptr) << "no message box";
  return box;
}

void ExpectMessage(HWND box, HWND owner, const std::wstring& text) {
  EXPECT_EQ(MessageBoxText(box), text);
  EXPECT_EQ(MessageBoxButtons(box), L"1:OK");
  EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
}

bool ShowsIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG kind = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
    if (ClassName(child) != "Static" || kind != SS_ICON || !IsWindowVisible(child)) continue;
    // Wine keeps the icon control of a box without an icon, holding no icon.
    if (Send(child, STM_GETICON).value_or(0) != 0) return true;
  }
  return false;
}

void Dismiss(HWND box) {
  EXPECT_TRUE(DismissMessageBox(box));
  EXPECT_TRUE(WaitGone(box, kCycleTimeoutMs)) << "the message box stays";
}

void ExpectOwnedMessageAndDismiss(const AppProcess& app, HWND owner, const std::wstring& text) {
  HWND box = WaitForMessageBox(app);
  if (box == nullptr) return;
  ExpectMessage(box, owner, text);
  Dismiss(box);
}

void ExpectBoxRefused(const AppProcess& app, HWND main, const wchar_t* caption,
                      const std::wstring& text, const wchar_t* title) {
  ExpectOwnedMessageAndDismiss(app, main, text);
  EXPECT_TRUE(WaitUntil([&] { return MainBoxState(main, caption) == 0; }, kCycleTimeoutMs))
      << "the box stays ticked: " << caption;
  EXPECT_EQ(FindDialog(app.Id(), title), nullptr);
}

void ExpectNoFile(const std::wstring& path, DWORD forMs) {
  EXPECT_FALSE(WaitUntil([&] { return FileExists(path); }, forMs)) << "a file was made";
}

void WaitForPoll(HWND main) {
  const std::wstring before = WindowText(InfoBox(main));
  const bool detail = MainBoxState(main, kDetailBoxCaption) == 1;
  SetMainBox(main, kDetailBoxCaption, !detail);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(InfoBox(main)) != before; }, kCycleTimeoutMs))
      << "the information box did not follow the detail box";
}

LogLines SplitCrLfLines(const std::string& bytes) {
  LogLines result;
  result.wellFormed = true;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      result.wellFormed = false;
      result.lines.push_back(bytes.substr(start));
      break;
    }
    std::string line = bytes.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) result.wellFormed = false;
    result.lines.push_back(std::move(line));
    start = end + 2;
  }
  return result;
}

namespace {

bool IsNumber(std::string_view text, std::size_t at, std::size_t digits, int low, int high) {
  int value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = value * 10 + (text[i] - '0');
  }
  return value >= low && value <= high;
}

}  // namespace

bool IsTimeStamp(std::string_view text) {
  return text.size() == 19 && IsNumber(text, 0, 4, 1970, 9999) && text[4] == '/' &&
         IsNumber(text, 5, 2, 1, 12) && text[7] == '/' && IsNumber(text, 8, 2, 1, 31) &&
         text[10] == ' ' && IsNumber(text, 11, 2, 0, 23) && text[13] == ':' &&
         IsNumber(text, 14, 2, 0, 59) && text[16] == ':' && IsNumber(text, 17, 2, 0, 60);
}

long long StampSeconds(std::string_view stamp) {
  if (!IsTimeStamp(stamp)) return -1;
  const auto field = [&](std::size_t at, std::size_t digits) {
    return static_cast<WORD>(std::stoi(std::string(stamp.substr(at, digits))));
  };
  SYSTEMTIME time = {};
  time.wYear = field(0, 4);
  time.wMonth = field(5, 2);
  time.wDay = field(8, 2);
  time.wHour = field(11, 2);
  time.wMinute = field(14, 2);
  time.wSecond = field(17, 2);
  FILETIME file = {};
  if (!SystemTimeToFileTime(&time, &file)) return -1;
  const ULONGLONG ticks = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return static_cast<long long>(ticks / 10000000);
}

LogLines WaitForLines(const std::wstring& path, std::size_t count, DWORD timeoutMs) {
  LogLines lines;
  WaitUntil(
      [&] {
        lines = ReadLog(path);
        return lines.wellFormed && lines.lines.size() >= count;
      },
      timeoutMs);
  return lines;
}

std::string WaitUntilSettled(const std::wstring& path, DWORD quietMs, DWORD timeoutMs,
                             bool& settled) {
  std::string bytes = ReadFileBytes(path).value_or("");
  ULONGLONG changed = GetTickCount64();
  settled = WaitUntil(
      [&] {
        std::string now = ReadFileBytes(path).value_or("");
        if (now != bytes) {
          bytes = std::move(now);
          changed = GetTickCount64();
        }
        return GetTickCount64() - changed >= quietMs;
      },
      timeoutMs);
  return bytes;
}

void ExpectRows(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                RowOfStamp expected) {
  std::string previous;
  for (std::size_t i = from; i < to && i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    const std::string stamp = lines[i].substr(0, 19);
    EXPECT_TRUE(IsTimeStamp(stamp)) << lines[i];
    EXPECT_EQ(lines[i], expected(stamp));
    EXPECT_GE(stamp, previous) << "time stamps go back";
    previous = stamp;
  }
}

void ExpectAllItemsRunAt(const std::vector<std::string>& lines, std::size_t at) {
  ASSERT_GE(lines.size(), at + 2) << "no header pair at line " << at + 1;
  EXPECT_EQ(lines[at], kAllItemsNames);
  EXPECT_EQ(lines[at + 1], kAllItemsColumns);
  ExpectRows(lines, at + 2, lines.size(), AllItemsRow);
}

void ExpectStampGaps(const std::vector<std::string>& lines, std::size_t from, long long least,
                     long long most) {
  for (std::size_t i = from + 1; i < lines.size(); ++i) {
    const long long gap =
        StampSeconds(lines[i].substr(0, 19)) - StampSeconds(lines[i - 1].substr(0, 19));
    EXPECT_TRUE(gap >= least && gap <= most)
        << "line " << i + 1 << " comes " << gap << " s after the one before";
  }
}

}  // namespace e2e
