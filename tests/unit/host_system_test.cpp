#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/system_api.h"

namespace {

// The native tools load shared objects by wide path: each wide character up to U+00FF becomes
// its byte, any other one '?', and a NUL ends the name as it does on Windows. The names here are
// links to the already loaded maths library.
TEST(HostSystem, LoadsByPathFindsSymbolsAndSaysWhyALoadFailed) {
  platform::SystemApi& system = platform::HostSystem();
  std::uint32_t startError = 1;
  std::thread([&] { startError = system.LastError(); }).join();
  EXPECT_EQ(startError, 0u) << "a thread starts without an error";
  EXPECT_TRUE(system.BuildNumberAtLeast(0xFFFFFFFF));

  Dl_info maths{};
  ASSERT_NE(dladdr(dlsym(RTLD_DEFAULT, "cos"), &maths), 0);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvane-dl";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const char* name : {"\xFF.so", "m?.so"}) {  // no "?.so": U+00FF must stay itself
    std::filesystem::create_symlink(maths.dli_fname, folder / name);
  }
  const std::wstring base = folder.wstring() + L"/m";
  for (const std::wstring& file : {folder.wstring() + L"/\u00FF.so", base + L"\u0100.so"}) {
    system.SetLastError(0);
    const platform::ModuleHandle module = system.LoadLibraryEx(file, 0);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_EQ(system.LastError(), 0u);
    EXPECT_NE(system.FindSymbol(module, "cos"), nullptr);
    system.ReleaseModule(module);
  }
  EXPECT_EQ(system.LoadLibraryEx(base + L'\0' + L".so", 0), nullptr) << "a NUL ends the name";
  EXPECT_EQ(system.LoadLibraryEx(base + L"-missing.so", 0), nullptr);
  EXPECT_EQ(system.LastError(), platform::kErrorModNotFound);
  EXPECT_EQ(system.FindSymbol(nullptr, "cos"), nullptr);
  // zlib (the package manager needs it; nothing here loads it) is gone once released.
  const platform::ModuleHandle zlib = system.LoadLibraryEx(L"libz.so.1", 0);
  ASSERT_NE(zlib, nullptr) << dlerror();
  system.ReleaseModule(zlib);
  EXPECT_EQ(dlopen("libz.so.1", RTLD_NOW | RTLD_NOLOAD), nullptr);
  std::filesystem::remove_all(folder);
}

}  // namespace
