// Loading a library from the Windows system directory only, whatever flags the caller passes,
// after the system's own crypto libraries the driver API depends on have been loaded once.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system_api.h"

namespace gpu {

class SystemLibraryLoader {
 public:
  explicit SystemLibraryLoader(platform::SystemApi& system) : system_(system) {}

  // `name` is a bare file name; one with a path separator is refused (last error 160).
  // Returns null on failure, the reason in the thread's last error.
  platform::ModuleHandle Load(const std::wstring& name, std::uint32_t flags);

 private:
  enum class BuildClass { kUnknown, kOld, kNew };

  bool IsNewSystem();
  std::wstring SystemPath(const std::wstring& name);
  platform::ModuleHandle LoadFromSystem(const std::wstring& name, std::uint32_t flags);
  void PreloadCryptoLibraries();

  platform::SystemApi& system_;
  BuildClass buildClass_ = BuildClass::kUnknown;
  platform::ModuleHandle preloaded_[3] = {};
  bool preloadSucceeded_ = true;  // sticky: a missing msasn1 or cryptnet turns it off for good
};

}  // namespace gpu
