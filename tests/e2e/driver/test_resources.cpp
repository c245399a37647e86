#include "test_resources.h"

#include <algorithm>

namespace e2e {

namespace {

// A name under the system's temporary folder, made of the process id and the tick count: no two
// runs of the driver share it. Empty when there is no temporary folder.
std::wstring FreshTempPath() {
  wchar_t base[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, base);
  if (length == 0 || length >= MAX_PATH) return L"";
  return std::wstring(base) + L"quorvane-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64());
}

}  // namespace

TempFolder::TempFolder() : TempFolder(FreshTempPath()) {}

TempFolder::TempFolder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) path_ = path + L"\\";
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW((path_ + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path_.c_str());
}

std::wstring TempFolder::File(const std::wstring& name) const {
  return path_ + name;
}

TestConsole::TestConsole() {
  FreeConsole();
  if (!AllocConsole()) return;
  SetConsoleOutputCP(932);
  output_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  // Room for every block of a run of a few minutes: nothing scrolls out of the buffer.
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (Valid() && GetConsoleScreenBufferInfo(output_, &info)) {
    SetConsoleScreenBufferSize(output_, {info.dwSize.X, 9999});
  }
}

TestConsole::~TestConsole() {
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  FreeConsole();
}

bool TestConsole::SetAttribute(WORD attribute) const {
  return Valid() && SetConsoleTextAttribute(output_, attribute) != FALSE;
}

std::vector<TestConsole::Row> TestConsole::Rows() const {
  std::vector<Row> rows;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!Valid() || !GetConsoleScreenBufferInfo(output_, &info)) return rows;
  const SHORT width = info.dwSize.X;
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    Row row;
    row.text.resize(static_cast<std::size_t>(width));
    row.attributes.resize(static_cast<std::size_t>(width));
    DWORD chars = 0;
    DWORD attributes = 0;
    ReadConsoleOutputCharacterW(output_, row.text.data(), static_cast<DWORD>(width), {0, y},
                                &chars);
    ReadConsoleOutputAttribute(output_, row.attributes.data(), static_cast<DWORD>(width), {0, y},
                               &attributes);
    std::size_t end = std::min<std::size_t>(chars, attributes);
    while (end > 0 && row.text[end - 1] == L' ') --end;
    row.text.resize(end);
    row.attributes.resize(end);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::wstring TestConsole::Text() const {
  std::wstring text;
  for (const Row& row : Rows()) text += row.text + L"\n";
  return text;
}

}  // namespace e2e
