// The Win32 services behind SystemApi.
#include <windows.h>

#include <cstdint>

#include "platform/lasting.h"
#include "platform/system_api.h"

namespace platform {
namespace {

class Win32System final : public SystemApi {
 public:
  bool BuildNumberAtLeast(std::uint32_t build) override {
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwBuildNumber = build;
    const DWORDLONG condition = VerSetConditionMask(0, VER_BUILDNUMBER, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&info, VER_BUILDNUMBER, condition) != FALSE;
  }

  std::wstring SystemDirectory() override {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    return std::wstring(buffer, length);
  }

  ModuleHandle LoadLibraryEx(const std::wstring& file, std::uint32_t flags) override {
    return LoadLibraryExW(file.c_str(), nullptr, flags);
  }

  void* FindSymbol(ModuleHandle module, const char* name) override {
    if (module == nullptr) return nullptr;
    // FARPROC is a generic function pointer; callers cast to the real signature.
    return reinterpret_cast<void*>(
        reinterpret_cast<std::uintptr_t>(GetProcAddress(static_cast<HMODULE>(module), name)));
  }

  void ReleaseModule(ModuleHandle module) override { FreeLibrary(static_cast<HMODULE>(module)); }
  std::uint32_t LastError() override { return GetLastError(); }
  void SetLastError(std::uint32_t error) override { ::SetLastError(error); }
  void SleepMs(std::uint32_t milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

SystemApi& HostSystem() {
  static Lasting<Win32System> system;
  return system.Get();
}

}  // namespace platform
