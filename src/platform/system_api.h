// The few operating-system services that the library loaders need, behind one interface so
// that their decisions can be tested over a fake. Windows provides the real thing; natively a
// dlopen-based version serves tools that load shared objects by path.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

using ModuleHandle = void*;

// Values of the Windows loader that the decisions depend on.
inline constexpr std::uint32_t kLoadWithAlteredSearchPath = 0x00000008;
inline constexpr std::uint32_t kLoadLibrarySearchDllLoadDir = 0x00000100;
inline constexpr std::uint32_t kLoadLibrarySearchApplicationDir = 0x00000200;
inline constexpr std::uint32_t kLoadLibrarySearchUserDirs = 0x00000400;
inline constexpr std::uint32_t kLoadLibrarySearchSystem32 = 0x00000800;
inline constexpr std::uint32_t kLoadLibrarySearchDefaultDirs = 0x00001000;
inline constexpr std::uint32_t kErrorModNotFound = 126;
inline constexpr std::uint32_t kErrorBadArguments = 160;

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  // True when the system's build number is at least `build`.
  virtual bool BuildNumberAtLeast(std::uint32_t build) = 0;
  // The system directory, as the system reports it (may or may not end in a separator).
  virtual std::wstring SystemDirectory() = 0;
  virtual ModuleHandle LoadLibraryEx(const std::wstring& file, std::uint32_t flags) = 0;
  virtual void* FindSymbol(ModuleHandle module, const char* name) = 0;
  virtual void ReleaseModule(ModuleHandle module) = 0;
  virtual std::uint32_t LastError() = 0;
  virtual void SetLastError(std::uint32_t error) = 0;
  virtual void SleepMs(std::uint32_t milliseconds) = 0;
};

// The running system's services (Win32 on Windows, dlopen natively). Lives for the process.
SystemApi& HostSystem();

}  // namespace platform
