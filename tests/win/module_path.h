// Where a loaded module came from, in lower case, for the Windows tests.
#pragma once

#include <windows.h>

#include <cwctype>
#include <string>

inline std::wstring LowerModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring text(path, length);
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}
