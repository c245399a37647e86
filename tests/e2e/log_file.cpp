#include "log_file.h"

#include <cctype>

#include "driver/file_bytes.h"
#include "driver/wait.h"

namespace e2e {

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

std::size_t CommaCount(std::string_view line) {
  std::size_t commas = 0;
  for (char c : line) commas += c == ',';
  return commas;
}

LogLines ReadLog(const std::wstring& path) {
  return SplitCrLfLines(ReadFileBytes(path).value_or(""));
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

}  // namespace e2e
