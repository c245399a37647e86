// SystemApi on Linux, for native tools that load shared objects by path (the hardware check
// loads libnvidia-ml.so.1 this way). Wide file names are taken as ASCII or Latin-1 paths.
#include <dlfcn.h>

#include <chrono>
#include <thread>

#include "platform/lasting.h"
#include "platform/system_api.h"

namespace platform {
namespace {

thread_local std::uint32_t lastError = 0;

std::string NarrowPath(const std::wstring& wide) {
  std::string narrow;
  narrow.reserve(wide.size());
  for (wchar_t c : wide) narrow.push_back(c >= 0 && c < 256 ? static_cast<char>(c) : '?');
  return narrow;
}

class PosixSystem final : public SystemApi {
 public:
  bool BuildNumberAtLeast(std::uint32_t) override { return true; }
  std::wstring SystemDirectory() override { return L"/usr/lib"; }

  ModuleHandle LoadLibraryEx(const std::wstring& file, std::uint32_t) override {
    void* module = dlopen(NarrowPath(file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) lastError = kErrorModNotFound;
    return module;
  }

  void* FindSymbol(ModuleHandle module, const char* name) override {
    return module == nullptr ? nullptr : dlsym(module, name);
  }

  void ReleaseModule(ModuleHandle module) override {
    if (module != nullptr) dlclose(module);
  }

  std::uint32_t LastError() override { return lastError; }
  void SetLastError(std::uint32_t error) override { lastError = error; }
  void SleepMs(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace

SystemApi& HostSystem() {
  static Lasting<PosixSystem> system;
  return system.Get();
}

}  // namespace platform
