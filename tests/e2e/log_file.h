// Reading the CSV log the program appends to: its lines, its time stamps and its columns, and
// waiting for it to grow or to settle.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct LogLines {
  bool wellFormed = false;         // every line ends in CR LF; no CR or LF stands alone
  std::vector<std::string> lines;  // without their line ends
};

LogLines SplitCrLfLines(const std::string& bytes);
// The lines of the file as it stands (none when it cannot be read).
LogLines ReadLog(const std::wstring& path);
// "YYYY/MM/DD HH:MM:SS" with a plausible month, day, hour, minute and second.
bool IsTimeStamp(std::string_view text);
// Seconds of a time stamp on a continuous scale, for differences; -1 when it is no time stamp.
long long StampSeconds(std::string_view stamp);
std::size_t CommaCount(std::string_view line);

// The file's lines once it holds at least `count` (whatever it holds at the deadline).
LogLines WaitForLines(const std::wstring& path, std::size_t count, DWORD timeoutMs);
// The file's bytes once they have not changed for `quietMs`; `settled` tells whether that
// happened before `timeoutMs`.
std::string WaitUntilSettled(const std::wstring& path, DWORD quietMs, DWORD timeoutMs,
                             bool& settled);

}  // namespace e2e
