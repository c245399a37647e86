#include "gpu/nvml_loading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/discovery_messages.h"
#include "support/fake_system.h"

namespace {

using testing_support::FakeModule;
using testing_support::FakeSystem;
using testing_support::RecordedMessages;

const std::wstring kSmi = L"C:/Program Files/NVIDIA Corporation/NVSMI/nvml.dll";
const std::wstring kWindows = L"C:/Windows/System32/nvml.dll";
const std::wstring kLoadFailed = L"nvml.dllのロードに失敗しました";
const std::wstring kInitFailed = L"NvMLの初期化に失敗しました";

// The init export of the fake libraries: counts its calls and returns `kResult`.
int initCalls = 0;
template <nvmlReturn_t kResult>
nvmlReturn_t Init() {
  ++initCalls;
  return kResult;
}

class DiscoveryNvml : public ::testing::Test {
 protected:
  DiscoveryNvml() {
    initCalls = 0;
    working.symbols[nvml::kInit] = reinterpret_cast<void*>(&Init<nvml::kSuccess>);
    failing.symbols[nvml::kInit] = reinterpret_cast<void*>(&Init<999>);
  }

  void Load(std::wstring_view systemRoot) {
    gpu::Vendor vendor{stub, nvml, system};
    gpu::LoadNvml(vendor, systemRoot, messages);
  }

  FakeSystem system;
  gpu::NvapiStub stub{system};
  gpu::NvmlLibrary nvml{system};
  RecordedMessages messages;
  FakeModule working, failing, withoutInit;
};

TEST_F(DiscoveryNvml, TheDriverFolderCopyComesFirst) {
  system.AddModule(kSmi, &working);
  system.AddModule(kWindows, &failing);
  Load(L"C:\\Windows");
  EXPECT_EQ(system.Tried(), std::vector<std::wstring>{kSmi});
  EXPECT_EQ(system.loadCalls[0].flags, 0u);  // a plain load by path
  EXPECT_EQ(nvml.Module(), &working);
  EXPECT_EQ(initCalls, 1);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryNvml, TheFixedSystemFolderComesSecond) {
  system.AddModule(kWindows, &working);
  Load(L"C:\\Windows");
  EXPECT_EQ(system.Tried(), (std::vector<std::wstring>{kSmi, kWindows}));
  EXPECT_EQ(nvml.Module(), &working);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryNvml, TheSystemRootFolderComesLast) {
  const std::wstring third = L"D:\\WINNT\\System32\\nvml.dll";
  system.AddModule(third, &working);
  Load(L"D:\\WINNT");
  EXPECT_EQ(system.Tried(), (std::vector<std::wstring>{kSmi, kWindows, third}));
  EXPECT_EQ(nvml.Module(), &working);
  EXPECT_EQ(initCalls, 1);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DiscoveryNvml, NoCopyAnywhereWarnsOnceAndLeavesNoModule) {
  Load(L"D:\\WINNT");
  EXPECT_EQ(system.Tried().size(), 3u);
  EXPECT_FALSE(nvml.Loaded());
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kLoadFailed});
  EXPECT_EQ(initCalls, 0);
}

TEST_F(DiscoveryNvml, AnUnsetSystemRootSkipsTheThirdPlace) {
  Load(L"");
  EXPECT_EQ(system.Tried(), (std::vector<std::wstring>{kSmi, kWindows}));
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kLoadFailed});
}

TEST_F(DiscoveryNvml, AFailedInitialisationWarnsAndKeepsTheModule) {
  system.AddModule(kSmi, &failing);
  Load(L"C:\\Windows");
  EXPECT_EQ(initCalls, 1);
  EXPECT_EQ(nvml.Module(), &failing);
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kInitFailed});
}

TEST_F(DiscoveryNvml, AMissingInitExportCountsAsAFailedInitialisation) {
  system.AddModule(kSmi, &withoutInit);
  Load(L"C:\\Windows");
  EXPECT_EQ(nvml.Module(), &withoutInit);
  EXPECT_EQ(messages.texts, std::vector<std::wstring>{kInitFailed});
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
