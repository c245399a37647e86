#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "gpu/system_library.h"
#include "module_path.h"
#include "platform/system_api.h"

namespace {

// A loader over this process's system services, as the driver API's stub has one.
platform::ModuleHandle LoadSystemLibrary(const std::wstring& name, std::uint32_t flags) {
  gpu::SystemLibraryLoader loader(platform::HostSystem());
  return loader.Load(name, flags);
}

TEST(LoadSystemLibrary, RefusesANameWithAPathSeparator) {
  for (const wchar_t* name : {L".\\nvapi64.dll", L"./nvapi64.dll", L"C:\\Windows\\nvapi64.dll"}) {
    SetLastError(5);
    EXPECT_EQ(LoadSystemLibrary(name, 0), nullptr);
    EXPECT_EQ(GetLastError(), 160u);
  }
}

TEST(LoadSystemLibrary, TakesTheSystemCopyNeverTheOneBesideTheExe) {
  // The ordinary search order finds the decoy beside the exe first.
  const HMODULE ordinary = LoadLibraryW(L"nvapi64.dll");
  ASSERT_NE(ordinary, nullptr);
  const std::wstring decoy = LowerModulePath(ordinary);
  ASSERT_EQ(decoy.find(L"system32"), std::wstring::npos) << "no decoy beside the test";
  FreeLibrary(ordinary);
  ASSERT_EQ(GetModuleHandleW(L"nvapi64.dll"), nullptr);

  // Flags that would widen the search are removed.
  const auto module = static_cast<HMODULE>(
      LoadSystemLibrary(L"nvapi64.dll", LOAD_WITH_ALTERED_SEARCH_PATH | 0x200 | 0x100));
  ASSERT_NE(module, nullptr) << "last error " << GetLastError();
  const std::wstring loaded = LowerModulePath(module);
  EXPECT_TRUE(loaded.ends_with(L"\\system32\\nvapi64.dll"))
      << std::string(loaded.begin(), loaded.end());
  EXPECT_NE(loaded, decoy);
  EXPECT_NE(GetProcAddress(module, "nvapi_QueryInterface"), nullptr);
  FreeLibrary(module);
}

TEST(LoadSystemLibrary, PreloadsTheSystemCryptoLibraries) {
  const HMODULE module = static_cast<HMODULE>(LoadSystemLibrary(L"nvml.dll", 0));
  EXPECT_EQ(module, nullptr);  // nvml.dll is not in the system directory of the prefix
  EXPECT_NE(GetModuleHandleW(L"msasn1.dll"), nullptr);
  EXPECT_NE(GetModuleHandleW(L"cryptnet.dll"), nullptr);
}

TEST(LoadSystemLibrary, SeesTheBuildClassOfTheSystem) {
  const char* expected = std::getenv("QUORVANE_EXPECT_NEW_SYSTEM");
  ASSERT_NE(expected, nullptr);
  EXPECT_EQ(platform::HostSystem().BuildNumberAtLeast(9200), expected[0] == '1');
}

}  // namespace
