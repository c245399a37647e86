#include "gpu/nvapi_stub.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <tuple>

#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/fake_system.h"
#include "support/sim_vendor.h"

namespace {

using gpu::NvapiFunction;

// The stub over the in-process simulator: what a scenario scripts reaches the caller unchanged.
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

  testing_support::FakeSystem system;
  testing_support::FakeModule library;
  testing_support::FakeModule crypto;
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

// The stub over the hand-made driver, whose entries each test sets through `driver`.
class NvapiStubTest : public ::testing::Test, protected testing_support::DiscoveryFakeVendor {
 protected:
  // Wrapped calls through the stub, answering into `bus` and `name`.
  NvAPI_Status BusId() {
    return stub.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus);
  }
  NvAPI_Status FullName() {
    return stub.Call<nvapi::GetFullNameFn>(NvapiFunction::kGetFullName, NvPhysicalGpuHandle{},
                                           name);
  }
  // Loaded, initialised, and the two reference counts.
  std::tuple<bool, bool, int, int> State() const {
    return {stub.IsLoaded(), stub.IsInitialized(), stub.LoadCount(), stub.InitCount()};
  }

  std::uint32_t bus = 0;
  char name[nvapi::kShortStringSize] = {};
};

TEST_F(NvapiStubTest, FirstWrappedCallLoadsAndInitialisesWithoutInitialize) {
  EXPECT_EQ(BusId(), nvapi::kOk);
  EXPECT_EQ(bus, 7u);
  EXPECT_EQ(State(), std::make_tuple(true, true, 1, 1));
  EXPECT_EQ(driver.initCalls, 1);
  EXPECT_EQ(stub.CallsInFlight(), 0);
  EXPECT_TRUE(stub.Provides(NvapiFunction::kGetBusId));
  EXPECT_EQ(stub.CallsInFlight(), 0);
}

TEST_F(NvapiStubTest, InitializeTwiceThenUnloadTwiceFreesOnTheLastReference) {
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(State(), std::make_tuple(true, true, 2, 2));
  EXPECT_EQ(driver.initCalls, 1);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(State(), std::make_tuple(true, true, 1, 1));
  EXPECT_EQ(driver.preferredUnloads, 0);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(State(), std::make_tuple(false, false, 0, 0));
  EXPECT_EQ(library.frees, 1);
  EXPECT_EQ(driver.preferredUnloads, 1);
  EXPECT_EQ(driver.preferredUnloadArgument, 0);
  EXPECT_EQ(driver.plainUnloads, 0);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiNotInitialized);
}

TEST_F(NvapiStubTest, UnloadWithoutALibraryIsNotInitialised) {
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiNotInitialized);
  EXPECT_EQ(system.loadCalls.size(), 0u);
}

TEST_F(NvapiStubTest, AfterTheLastUnloadTheNextCallLoadsAndResolvesAgain) {
  EXPECT_EQ(BusId(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(BusId(), nvapi::kOk);
  EXPECT_EQ(library.loads, 2);
  EXPECT_EQ(driver.queries[nvapi::kIdGetBusId], 2);
}

TEST_F(NvapiStubTest, ResolvedFunctionsAreCachedAndMissingOnesAskedAgain) {
  driver.absent.insert(nvapi::kIdGetFullName);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(FullName(), nvapi::kNoImplementation);
    EXPECT_EQ(BusId(), nvapi::kOk);
  }
  EXPECT_EQ(driver.queries[nvapi::kIdGetFullName], 3);
  EXPECT_EQ(driver.queries[nvapi::kIdGetBusId], 1);
  driver.absent.erase(nvapi::kIdGetFullName);  // e.g. a driver update behind our back
  driver.name[0] = 'G';
  EXPECT_EQ(FullName(), nvapi::kOk);
  EXPECT_STREQ(name, "G");
}

TEST_F(NvapiStubTest, UnloadWhileACallIsInFlightIsRefusedAndChangesNothing) {
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  driver.blockBusId = true;
  std::thread caller([&] { BusId(); });
  while (!driver.insideBusId) std::this_thread::yield();
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiInUse);
  EXPECT_EQ(State(), std::make_tuple(true, true, 1, 1));
  EXPECT_EQ(driver.preferredUnloads, 0);
  driver.blockBusId = false;
  caller.join();
  EXPECT_EQ(stub.CallsInFlight(), 0);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_FALSE(stub.IsLoaded());
}

TEST_F(NvapiStubTest, FailingDriverInitialisationLeavesNothingLoaded) {
  driver.initStatus = nvapi::kNvidiaDeviceNotFound;
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kNvidiaDeviceNotFound);
  EXPECT_EQ(State(), std::make_tuple(false, false, 0, 0));
  EXPECT_EQ(library.frees, library.loads);
  EXPECT_EQ(BusId(), nvapi::kNvidiaDeviceNotFound);  // tries again, fails again
  EXPECT_EQ(library.loads, 2);
  EXPECT_EQ(stub.CallsInFlight(), 0);
  driver.initStatus = nvapi::kOk;
  EXPECT_EQ(BusId(), nvapi::kOk);
}

TEST_F(NvapiStubTest, MissingInitialiseEntryOrQueryInterfaceIsAGeneralError) {
  driver.absent.insert(nvapi::kIdInitialize);
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kError);
  EXPECT_FALSE(stub.IsLoaded());
  library.symbols.clear();
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kError);
  EXPECT_EQ(library.frees, library.loads);
}

TEST_F(NvapiStubTest, MissingLibraryIsReportedOnEveryCallAndRetried) {
  testing_support::FakeSystem empty;
  empty.AddNvapiModules(nullptr, &crypto);
  gpu::NvapiStub lonely(empty);
  EXPECT_EQ(lonely.NvAPI_Initialize(), nvapi::kLibraryNotFound);
  EXPECT_EQ(lonely.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus),
            nvapi::kLibraryNotFound);
  EXPECT_EQ(empty.LoadsOf(L"nvapi64.dll"), 2);
  EXPECT_EQ(lonely.CallsInFlight(), 0);
}

TEST_F(NvapiStubTest, PlainUnloadEntryIsUsedWhenThePreferredOneIsAbsent) {
  driver.absent.insert(nvapi::kIdUnloadPreferred);
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(driver.plainUnloads, 1);
  EXPECT_FALSE(stub.IsLoaded());
}

TEST_F(NvapiStubTest, NoUnloadEntryAtAllKeepsTheLibrary) {
  driver.absent.insert({nvapi::kIdUnloadPreferred, nvapi::kIdUnload});
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kNoImplementation);
  EXPECT_EQ(State(), std::make_tuple(true, true, 1, 1));
}

TEST_F(NvapiStubTest, FailingDriverUnloadRestoresTheReferences) {
  driver.unloadStatus = nvapi::kError - 10;
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kError);
  EXPECT_EQ(State(), std::make_tuple(true, true, 1, 1));
}

TEST_F(NvapiStubTest, CallDuringAnUnloadWaitsTenTimesThenGivesUp) {
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  driver.stub = &stub;  // the driver's unload entry makes a call through the stub
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(driver.callDuringUnload, nvapi::kError);
  EXPECT_EQ(system.sleeps, std::vector<std::uint32_t>(10, 100));
}

TEST_F(NvapiStubTest, OnlyALonePreCallHookIsKept) {
  // Whether the driver has the pre-call and the post-call hook, and whether the first is kept.
  const bool cases[][3] = {{true, false, true}, {true, true, false}, {false, true, false}};
  for (const auto& [pre, post, kept] : cases) {
    SCOPED_TRACE(testing::Message() << "pre " << pre << " post " << post);
    testing_support::FakeSystem fresh;
    fresh.AddNvapiModules(&library, &crypto);
    gpu::NvapiStub hooked(fresh);
    driver.absent.clear();
    if (!pre) driver.absent.insert(nvapi::kIdPreCallHook);
    if (!post) driver.absent.insert(nvapi::kIdPostCallHook);
    driver.preHookCalls = 0;
    EXPECT_EQ(hooked.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus),
              nvapi::kOk);
    EXPECT_EQ(hooked.HasPreCallHook(), kept);
    EXPECT_FALSE(hooked.HasPostCallHook());
    EXPECT_EQ(driver.preHookCalls, kept ? 1 : 0);
    if (kept) {
      EXPECT_EQ(driver.preHookId, nvapi::kIdGetBusId);
    }
  }
}

TEST(NvapiStubIds, EveryFunctionHasItsOwnInterfaceId) {
  std::set<std::uint32_t> ids;
  for (int f = 0; f < static_cast<int>(NvapiFunction::kCount); ++f) {
    ids.insert(gpu::InterfaceId(static_cast<NvapiFunction>(f)));
  }
  EXPECT_EQ(ids.size(), static_cast<std::size_t>(NvapiFunction::kCount));
  EXPECT_EQ(gpu::InterfaceId(NvapiFunction::kGetAllClockFrequencies), 0xDCB616C3u);
  EXPECT_EQ(gpu::InterfaceId(NvapiFunction::kGetDisplayId), 0x1E9D8A31u);
}

}  // namespace
