#include "gpu/system_library.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace {

using platform::kLoadLibrarySearchSystem32;
using testing_support::FakeModule;
using testing_support::FakeSystem;

class SystemLibraryTest : public ::testing::Test {
 protected:
  void AddCryptoLibraries(const std::wstring& directory = L"") {
    for (const wchar_t* name : {L"msasn1.dll", L"cryptnet.dll", L"cryptbase.dll"})
      system.AddModule(directory + name, &crypto);
  }

  FakeSystem system;
  FakeModule crypto;
  FakeModule target;
  gpu::SystemLibraryLoader loader{system};
};

TEST_F(SystemLibraryTest, RefusesNamesWithAPathSeparator) {
  for (const wchar_t* name : {L"..\\nvapi64.dll", L"./nvapi64.dll", L"C:/x/nvapi64.dll"}) {
    system.SetLastError(5);
    EXPECT_EQ(loader.Load(name, 0), nullptr);
    EXPECT_EQ(system.LastError(), platform::kErrorBadArguments);
  }
  EXPECT_TRUE(system.loadCalls.empty());
}

TEST_F(SystemLibraryTest, NewSystemLoadsByNameFromSystem32WithSearchFlagsStripped) {
  AddCryptoLibraries();
  system.AddModule(L"nvapi64.dll", &target);
  const std::uint32_t asked = 0x2 | 0x8 | 0x100 | 0x200 | 0x400 | 0x1000;
  system.SetLastError(5);
  EXPECT_EQ(loader.Load(L"nvapi64.dll", asked), &target);
  EXPECT_EQ(system.LastError(), 0u);
  ASSERT_EQ(system.Tried(), (std::vector<std::wstring>{L"msasn1.dll", L"cryptnet.dll",
                                                       L"cryptbase.dll", L"nvapi64.dll"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(system.loadCalls[i].flags, kLoadLibrarySearchSystem32);
  EXPECT_EQ(system.loadCalls[3].flags, 0x2u | kLoadLibrarySearchSystem32);
}

TEST_F(SystemLibraryTest, OldSystemLoadsByFullPathWithoutSearchFlags) {
  system.newSystem = false;
  AddCryptoLibraries(L"C:\\windows\\system32\\");
  system.AddModule(L"C:\\windows\\system32\\nvapi64.dll", &target);
  EXPECT_EQ(loader.Load(L"nvapi64.dll", 0x1 | kLoadLibrarySearchSystem32), &target);
  ASSERT_EQ(system.loadCalls.size(), 4u);
  EXPECT_EQ(system.loadCalls[0].file, L"C:\\windows\\system32\\msasn1.dll");
  EXPECT_EQ(system.loadCalls[0].flags, 0u);
  EXPECT_EQ(system.loadCalls[3].flags, 0x1u);
}

TEST_F(SystemLibraryTest, DirectoryEndingInASeparatorGetsNoSecondOne) {
  system.newSystem = false;
  system.systemDirectory = L"D:\\sys\\";
  AddCryptoLibraries(L"D:\\sys\\");
  system.AddModule(L"D:\\sys\\nvapi64.dll", &target);
  EXPECT_EQ(loader.Load(L"nvapi64.dll", 0), &target);
}

TEST_F(SystemLibraryTest, PreloadsAndBuildTestHappenOnce) {
  AddCryptoLibraries();
  system.AddModule(L"nvapi64.dll", &target);
  loader.Load(L"nvapi64.dll", 0);
  loader.Load(L"nvapi64.dll", 0);
  EXPECT_EQ(system.LoadsOf(L"msasn1.dll"), 1);
  EXPECT_EQ(system.LoadsOf(L"nvapi64.dll"), 2);
  EXPECT_EQ(system.buildQueries, 1);
}

TEST_F(SystemLibraryTest, MissingRequiredCryptoLibraryRefusesEveryLoadForGood) {
  system.AddModule(L"cryptnet.dll", &crypto);
  system.AddModule(L"nvapi64.dll", &target);  // msasn1.dll is missing
  EXPECT_EQ(loader.Load(L"nvapi64.dll", 0), nullptr);
  EXPECT_EQ(loader.Load(L"nvapi64.dll", 0), nullptr);
  EXPECT_EQ(system.LastError(), platform::kErrorModNotFound);
  EXPECT_EQ(system.LoadsOf(L"nvapi64.dll"), 0);
}

TEST_F(SystemLibraryTest, OtherPreloadFailuresDoNotStopTheLoad) {
  system.FailModule(L"msasn1.dll", 5);         // access denied, not "missing"
  system.AddModule(L"cryptnet.dll", &crypto);  // cryptbase.dll missing: optional
  system.AddModule(L"nvapi64.dll", &target);
  EXPECT_EQ(loader.Load(L"nvapi64.dll", 0), &target);
}

TEST_F(SystemLibraryTest, PreloadIsRetriedWhileNoneOfTheThreeLoaded) {
  for (const wchar_t* name : {L"msasn1.dll", L"cryptnet.dll", L"cryptbase.dll"})
    system.FailModule(name, 5);
  system.AddModule(L"nvapi64.dll", &target);
  loader.Load(L"nvapi64.dll", 0);
  loader.Load(L"nvapi64.dll", 0);
  EXPECT_EQ(system.LoadsOf(L"msasn1.dll"), 2);
}

}  // namespace
