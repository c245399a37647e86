#include "test_resources.h"

#include <algorithm>

#include "file_bytes.h"

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
  for (const std::wstring& name : FileNames()) DeleteFileW(File(name).c_str());
  RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> TempFolder::FileNames() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(File(L"*").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
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

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof(chunk), &read, nullptr) != FALSE) && read > 0)
    bytes.append(chunk, read);
  CloseHandle(file);
  if (!ok) return {};
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
      written == bytes.size();
  return CloseHandle(file) != FALSE && whole;
}

}  // namespace e2e
