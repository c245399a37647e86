// The stub over the in-process simulator: what a scenario scripts reaches the caller unchanged.
#include <gtest/gtest.h>

#include <string>

#include "gpu/nvapi_stub.h"
#include "sim/sim.h"
#include "support/fake_system.h"
#include "support/sim_test.h"

namespace {

using gpu::NvapiFunction;
using testing_support::FakeModule;
using testing_support::FakeSystem;

class StubOverSimulator : public testing_support::SimTest {
 protected:
  void Load(const std::string& text) {
    SimTest::Load(text);
    library.symbols["nvapi_QueryInterface"] = reinterpret_cast<void*>(&SimNvapiQueryInterface);
    system.AddNvapiModules(&library, &crypto);
  }

  NvPhysicalGpuHandle FirstGpu() {
    NvPhysicalGpuHandle gpus[nvapi::kMaxPhysicalGpus] = {};
    std::uint32_t count = 0;
    EXPECT_EQ(stub.Call<nvapi::EnumGpusFn>(NvapiFunction::kEnumPhysicalGPUs, gpus, &count),
              nvapi::kOk);
    EXPECT_GE(count, 1u);
    return gpus[0];
  }

  FakeSystem system;
  FakeModule library;
  FakeModule crypto;
  gpu::NvapiStub stub{system};
};

TEST_F(StubOverSimulator, ScriptedFailureFromTheNthCallPassesThrough) {
  Load("gpu\n  name A\n  bus 3\nend\nfail NvAPI_GPU_GetBusId -104 from 3\n");
  const NvPhysicalGpuHandle gpu = FirstGpu();
  std::uint32_t bus = 0;
  for (int call = 1; call <= 4; ++call) {
    const NvAPI_Status status = stub.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, gpu, &bus);
    EXPECT_EQ(status, call < 3 ? nvapi::kOk : nvapi::kNotSupported) << "call " << call;
  }
  EXPECT_EQ(bus, 3u);
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdGetBusId), 4u);
}

TEST_F(StubOverSimulator, AbsentQueryIsNoImplementationAndTheRestWorks) {
  Load("gpu\n  name A\nend\nabsent core-voltage\n");
  const NvPhysicalGpuHandle gpu = FirstGpu();
  nvapi::NvCoreVoltage voltage = {};
  voltage.version = nvapi::kCoreVoltageV1;
  EXPECT_EQ(stub.Call<nvapi::GetCoreVoltageFn>(NvapiFunction::kGetCoreVoltage, gpu, &voltage),
            nvapi::kNoImplementation);
  char name[nvapi::kShortStringSize] = {};
  EXPECT_EQ(stub.Call<nvapi::GetFullNameFn>(NvapiFunction::kGetFullName, gpu, name), nvapi::kOk);
  EXPECT_STREQ(name, "A");
}

TEST_F(StubOverSimulator, DriverWithOnlyAPreCallHookSeesEveryWrappedCall) {
  Load("hooks pre\ngpu\n  name A\nend\n");
  const NvPhysicalGpuHandle gpu = FirstGpu();
  std::uint32_t bus = 0;
  stub.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, gpu, &bus);
  EXPECT_TRUE(stub.HasPreCallHook());
  EXPECT_EQ(sim::PreCallHookCalls(), 2u);  // the enumeration and the bus query
  EXPECT_EQ(sim::PostCallHookCalls(), 0u);
}

TEST_F(StubOverSimulator, UnloadLeavesTheDriverUninitialised) {
  Load("gpu\n  name A\nend\n");
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_TRUE(sim::NvapiInitialized());
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_FALSE(sim::NvapiInitialized());
  EXPECT_EQ(library.frees, 1);
}

TEST_F(StubOverSimulator, FailingDriverInitialisationIsReportedWithItsStatus) {
  Load("gpu\n  name A\nend\nfail NvAPI_Initialize -6\n");
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kNvidiaDeviceNotFound);
  EXPECT_FALSE(stub.IsLoaded());
}

}  // namespace
