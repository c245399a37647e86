// The stub over the real Win32 loader: nvapi64.dll is the simulator copy in the prefix's
// System32, driven by the scenario the test names.
#include <windows.h>

#include <gtest/gtest.h>

#include "gpu/nvapi_stub.h"
#include "module_path.h"

namespace {

// The driver API as the program reaches it: through the process's stub.
gpu::NvapiStub& Driver() {
  return gpu::ProcessNvapiStub();
}

TEST(StubOverWine, InitialisesEnumeratesQueriesAndUnloads) {
  ASSERT_EQ(Driver().NvAPI_Initialize(), nvapi::kOk);
  const HMODULE module = GetModuleHandleW(L"nvapi64.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(LowerModulePath(module).ends_with(L"\\system32\\nvapi64.dll"));

  // two-gpus.txt: a WDDM GPU on bus 5 enumerated before one on bus 2.
  NvPhysicalGpuHandle gpus[nvapi::kMaxPhysicalGpus] = {};
  std::uint32_t count = 0;
  ASSERT_EQ(Driver().NvAPI_EnumPhysicalGPUs(gpus, &count), nvapi::kOk);
  ASSERT_EQ(count, 2u);
  std::uint32_t buses[2] = {};
  for (int i = 0; i < 2; ++i)
    ASSERT_EQ(Driver().NvAPI_GPU_GetBusId(gpus[i], &buses[i]), nvapi::kOk);
  EXPECT_EQ(buses[0], 5u);
  EXPECT_EQ(buses[1], 2u);

  char name[nvapi::kShortStringSize] = {};
  ASSERT_EQ(Driver().NvAPI_GPU_GetFullName(gpus[0], name), nvapi::kOk);
  EXPECT_STREQ(name, "Quorvane Sim 3080");

  // The driver checks the record's version word, as a real one does.
  nvapi::NV_GPU_THERMAL_SETTINGS thermal = {};
  thermal.version = nvapi::kThermalSettingsV2;
  EXPECT_EQ(Driver().NvAPI_GPU_GetThermalSettings(gpus[0], 0, &thermal), nvapi::kOk);
  nvapi::NV_GPU_THERMAL_SETTINGS unknown = {};
  unknown.version = nvapi::MakeVersion(sizeof(unknown), 7);
  EXPECT_EQ(Driver().NvAPI_GPU_GetThermalSettings(gpus[0], 0, &unknown),
            nvapi::kIncompatibleStructVersion);

  EXPECT_EQ(Driver().NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(GetModuleHandleW(L"nvapi64.dll"), nullptr);
  EXPECT_EQ(Driver().NvAPI_Unload(), nvapi::kApiNotInitialized);

  // The next call loads and initialises the library again.
  count = 0;
  EXPECT_EQ(Driver().NvAPI_EnumPhysicalGPUs(gpus, &count), nvapi::kOk);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(Driver().NvAPI_Unload(), nvapi::kOk);
}

TEST(StubWithoutLibrary, EveryCallReportsTheLibraryMissing) {
  EXPECT_EQ(Driver().NvAPI_Initialize(), nvapi::kLibraryNotFound);
  NvPhysicalGpuHandle gpus[nvapi::kMaxPhysicalGpus] = {};
  std::uint32_t count = 0;
  EXPECT_EQ(Driver().NvAPI_EnumPhysicalGPUs(gpus, &count), nvapi::kLibraryNotFound);
  EXPECT_EQ(GetModuleHandleW(L"nvapi64.dll"), nullptr);
  EXPECT_EQ(Driver().NvAPI_Unload(), nvapi::kApiNotInitialized);
}

}  // namespace
