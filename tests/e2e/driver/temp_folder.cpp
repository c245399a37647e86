#include "temp_folder.h"

#include <windows.h>

namespace e2e {

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, base);
  if (length == 0 || length >= MAX_PATH) return;
  // Process id and tick count: no two runs of the driver share a name.
  const std::wstring path = std::wstring(base) + L"quorvane-e2e-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64());
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

}  // namespace e2e
