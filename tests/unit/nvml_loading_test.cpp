#include "gpu/nvml_loading.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/discovery_fake_driver.h"
#include "support/fake_system.h"

namespace {

const std::wstring kSmi = L"C:/Program Files/NVIDIA Corporation/NVSMI/nvml.dll";
const std::wstring kWindows = L"C:/Windows/System32/nvml.dll";
const std::wstring kWinnt = L"D:\\WINNT\\System32\\nvml.dll";
const std::wstring kLoadFailed = L"nvml.dllのロードに失敗しました";
const std::wstring kInitFailed = L"NvMLの初期化に失敗しました";

// The init export of the fake libraries: counts its calls and returns `kResult`.
int initCalls = 0;
template <nvmlReturn_t kResult>
nvmlReturn_t Init() {
  ++initCalls;
  return kResult;
}

// What loading left: the files tried, the module kept, the init calls and the texts shown.
using Outcome = std::tuple<std::vector<std::wstring>, void*, int, std::vector<std::wstring>>;

class DiscoveryNvml : public ::testing::Test {
 protected:
  DiscoveryNvml() {
    initCalls = 0;
    working.symbols[nvml::kInit] = reinterpret_cast<void*>(&Init<nvml::kSuccess>);
    failing.symbols[nvml::kInit] = reinterpret_cast<void*>(&Init<999>);
  }
  Outcome Load(std::wstring_view systemRoot) {
    gpu::Vendor vendor{stub, nvml, system};
    gpu::LoadNvml(vendor, systemRoot, messages);
    return {system.Tried(), nvml.Module(), initCalls, messages.texts};
  }

  testing_support::FakeSystem system;
  gpu::NvapiStub stub{system};
  gpu::NvmlLibrary nvml{system};
  testing_support::RecordedMessages messages;
  testing_support::FakeModule working, failing, withoutInit;
};

TEST_F(DiscoveryNvml, TheDriverFolderCopyComesFirst) {
  system.AddModule(kSmi, &working);
  system.AddModule(kWindows, &failing);
  EXPECT_EQ(Load(L"C:\\Windows"), Outcome({kSmi}, &working, 1, {}));
  EXPECT_EQ(system.loadCalls[0].flags, 0u);  // a plain load by path
}

TEST_F(DiscoveryNvml, TheFixedSystemFolderComesSecond) {
  system.AddModule(kWindows, &working);
  EXPECT_EQ(Load(L"C:\\Windows"), Outcome({kSmi, kWindows}, &working, 1, {}));
}

TEST_F(DiscoveryNvml, TheSystemRootFolderComesLast) {
  system.AddModule(kWinnt, &working);
  EXPECT_EQ(Load(L"D:\\WINNT"), Outcome({kSmi, kWindows, kWinnt}, &working, 1, {}));
}

TEST_F(DiscoveryNvml, NoCopyAnywhereWarnsOnceAndLeavesNoModule) {
  EXPECT_EQ(Load(L"D:\\WINNT"), Outcome({kSmi, kWindows, kWinnt}, nullptr, 0, {kLoadFailed}));
  EXPECT_FALSE(nvml.Loaded());
}

TEST_F(DiscoveryNvml, AnUnsetSystemRootSkipsTheThirdPlace) {
  EXPECT_EQ(Load(L""), Outcome({kSmi, kWindows}, nullptr, 0, {kLoadFailed}));
}

TEST_F(DiscoveryNvml, AFailedInitialisationWarnsAndKeepsTheModule) {
  system.AddModule(kSmi, &failing);
  EXPECT_EQ(Load(L"C:\\Windows"), Outcome({kSmi}, &failing, 1, {kInitFailed}));
}

TEST_F(DiscoveryNvml, AMissingInitExportCountsAsAFailedInitialisation) {
  system.AddModule(kSmi, &withoutInit);
  EXPECT_EQ(Load(L"C:\\Windows"), Outcome({kSmi}, &withoutInit, 0, {kInitFailed}));
}

// Entry points are looked up in the module at every use; the cached mode keeps the first answer
// per name until the module is replaced.
TEST_F(DiscoveryNvml, EntryPointsAreLookedUpAtEveryUseOrOncePerModule) {
  gpu::NvmlLibrary cached{system, gpu::NvmlLookup::kCached};
  void* const ok = working.symbols[nvml::kInit];
  void* const bad = failing.symbols[nvml::kInit];
  working.symbols["nvmlShutdown"] = bad;
  for (gpu::NvmlLibrary* library : {&nvml, &cached}) {
    library->SetModule(&working);
    EXPECT_EQ(library->Find<void*>(nvml::kInit), ok);
    EXPECT_EQ(library->Find<void*>("nvmlShutdown"), bad);
  }
  working.symbols[nvml::kInit] = bad;
  EXPECT_EQ(nvml.Find<void*>(nvml::kInit), bad);
  EXPECT_EQ(cached.Find<void*>(nvml::kInit), ok);
  cached.SetModule(&failing);
  EXPECT_EQ(cached.Find<void*>(nvml::kInit), bad);
  EXPECT_EQ(cached.Find<void*>("nvmlShutdown"), nullptr);
}

}  // namespace
