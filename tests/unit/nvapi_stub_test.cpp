#include "gpu/nvapi_stub.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <thread>

#include "support/fake_system.h"

namespace {

using gpu::NvapiFunction;
using testing_support::FakeModule;
using testing_support::FakeSystem;

// A driver whose behaviour each test sets; its entry points are plain functions, so they reach
// it through this pointer.
struct FakeDriver {
  NvAPI_Status initStatus = nvapi::kOk;
  NvAPI_Status unloadStatus = nvapi::kOk;
  std::set<std::uint32_t> absent;
  std::map<std::uint32_t, int> queries;
  int initCalls = 0;
  int preferredUnloads = 0;
  int plainUnloads = 0;
  std::int32_t preferredUnloadArgument = -1;
  int preHookCalls = 0;
  std::uint32_t preHookId = 0;
  std::atomic<bool> blockBusId{false};
  std::atomic<bool> insideBusId{false};
  gpu::NvapiStub* stub = nullptr;
  NvAPI_Status callDuringUnload = 1;  // status of a wrapped call made while unloading
};

FakeDriver* driver = nullptr;

NvAPI_Status Initialize() {
  ++driver->initCalls;
  return driver->initStatus;
}

NvAPI_Status UnloadPreferred(std::int32_t argument) {
  ++driver->preferredUnloads;
  driver->preferredUnloadArgument = argument;
  if (driver->stub != nullptr) {
    std::uint32_t bus = 0;
    driver->callDuringUnload =
        driver->stub->Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus);
  }
  return driver->unloadStatus;
}

NvAPI_Status UnloadPlain() {
  ++driver->plainUnloads;
  return driver->unloadStatus;
}

void PreCallHook(std::uint32_t id, void** cookie) {
  ++driver->preHookCalls;
  driver->preHookId = id;
  *cookie = nullptr;
}

void PostCallHook(std::uint32_t, void*, NvAPI_Status) {}

NvAPI_Status GetBusId(NvPhysicalGpuHandle, std::uint32_t* bus) {
  driver->insideBusId = true;
  while (driver->blockBusId) std::this_thread::yield();
  driver->insideBusId = false;
  *bus = 7;
  return nvapi::kOk;
}

NvAPI_Status GetFullName(NvPhysicalGpuHandle, char name[64]) {
  name[0] = 'G';
  name[1] = '\0';
  return nvapi::kOk;
}

void* QueryInterface(std::uint32_t id) {
  ++driver->queries[id];
  if (driver->absent.count(id) != 0) return nullptr;
  switch (id) {
    case nvapi::kIdInitialize:
      return reinterpret_cast<void*>(&Initialize);
    case nvapi::kIdUnloadPreferred:
      return reinterpret_cast<void*>(&UnloadPreferred);
    case nvapi::kIdUnload:
      return reinterpret_cast<void*>(&UnloadPlain);
    case nvapi::kIdPreCallHook:
      return reinterpret_cast<void*>(&PreCallHook);
    case nvapi::kIdPostCallHook:
      return reinterpret_cast<void*>(&PostCallHook);
    case nvapi::kIdGetBusId:
      return reinterpret_cast<void*>(&GetBusId);
    case nvapi::kIdGetFullName:
      return reinterpret_cast<void*>(&GetFullName);
    default:
      return nullptr;
  }
}

class NvapiStubTest : public ::testing::Test {
 protected:
  NvapiStubTest() {
    driver = &fake;
    // Neither hook by default; tests that want one remove it from the absent set.
    fake.absent = {nvapi::kIdPreCallHook, nvapi::kIdPostCallHook};
    library.symbols["nvapi_QueryInterface"] = reinterpret_cast<void*>(&QueryInterface);
    system.AddModule(L"nvapi64.dll", &library);
    system.AddModule(L"msasn1.dll", &crypto);
    system.AddModule(L"cryptnet.dll", &crypto);
  }
  ~NvapiStubTest() override { driver = nullptr; }

  NvAPI_Status BusId(std::uint32_t* bus) {
    return stub.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, bus);
  }

  FakeDriver fake;
  FakeSystem system;
  FakeModule library;
  FakeModule crypto;
  gpu::NvapiStub stub{system};
};

TEST_F(NvapiStubTest, FirstWrappedCallLoadsAndInitialisesWithoutInitialize) {
  std::uint32_t bus = 0;
  EXPECT_EQ(BusId(&bus), nvapi::kOk);
  EXPECT_EQ(bus, 7u);
  EXPECT_TRUE(stub.IsLoaded());
  EXPECT_TRUE(stub.IsInitialized());
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.InitCount(), 1);
  EXPECT_EQ(fake.initCalls, 1);
  EXPECT_EQ(stub.CallsInFlight(), 0);
}

TEST_F(NvapiStubTest, InitializeTwiceThenUnloadTwiceFreesOnTheLastReference) {
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.LoadCount(), 2);
  EXPECT_EQ(stub.InitCount(), 2);
  EXPECT_EQ(fake.initCalls, 1);

  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_TRUE(stub.IsLoaded());
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.InitCount(), 1);
  EXPECT_EQ(fake.preferredUnloads, 0);

  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_FALSE(stub.IsLoaded());
  EXPECT_FALSE(stub.IsInitialized());
  EXPECT_EQ(stub.LoadCount(), 0);
  EXPECT_EQ(library.frees, 1);
  EXPECT_EQ(fake.preferredUnloads, 1);
  EXPECT_EQ(fake.preferredUnloadArgument, 0);
  EXPECT_EQ(fake.plainUnloads, 0);

  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiNotInitialized);
}

TEST_F(NvapiStubTest, UnloadWithoutALibraryIsNotInitialised) {
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiNotInitialized);
  EXPECT_EQ(system.loadCalls.size(), 0u);
}

TEST_F(NvapiStubTest, AfterTheLastUnloadTheNextCallLoadsAndResolvesAgain) {
  std::uint32_t bus = 0;
  EXPECT_EQ(BusId(&bus), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(BusId(&bus), nvapi::kOk);
  EXPECT_EQ(library.loads, 2);
  EXPECT_EQ(fake.queries[nvapi::kIdGetBusId], 2);
}

TEST_F(NvapiStubTest, ResolvedFunctionsAreCachedAndMissingOnesAskedAgain) {
  fake.absent.insert(nvapi::kIdGetFullName);
  char name[64] = {};
  std::uint32_t bus = 0;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(
        stub.Call<nvapi::GetFullNameFn>(NvapiFunction::kGetFullName, NvPhysicalGpuHandle{}, name),
        nvapi::kNoImplementation);
    EXPECT_EQ(BusId(&bus), nvapi::kOk);
  }
  EXPECT_EQ(fake.queries[nvapi::kIdGetFullName], 3);
  EXPECT_EQ(fake.queries[nvapi::kIdGetBusId], 1);

  fake.absent.erase(nvapi::kIdGetFullName);  // e.g. a driver update behind our back
  EXPECT_EQ(
      stub.Call<nvapi::GetFullNameFn>(NvapiFunction::kGetFullName, NvPhysicalGpuHandle{}, name),
      nvapi::kOk);
  EXPECT_STREQ(name, "G");
}

TEST_F(NvapiStubTest, UnloadWhileACallIsInFlightIsRefusedAndChangesNothing) {
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  fake.blockBusId = true;
  std::thread caller([&] {
    std::uint32_t bus = 0;
    BusId(&bus);
  });
  while (!fake.insideBusId) std::this_thread::yield();

  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kApiInUse);
  EXPECT_TRUE(stub.IsLoaded());
  EXPECT_TRUE(stub.IsInitialized());
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.InitCount(), 1);
  EXPECT_EQ(fake.preferredUnloads, 0);

  fake.blockBusId = false;
  caller.join();
  EXPECT_EQ(stub.CallsInFlight(), 0);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_FALSE(stub.IsLoaded());
}

TEST_F(NvapiStubTest, FailingDriverInitialisationLeavesNothingLoaded) {
  fake.initStatus = nvapi::kNvidiaDeviceNotFound;
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kNvidiaDeviceNotFound);
  EXPECT_FALSE(stub.IsLoaded());
  EXPECT_EQ(stub.LoadCount(), 0);
  EXPECT_EQ(library.frees, library.loads);

  std::uint32_t bus = 0;
  EXPECT_EQ(BusId(&bus), nvapi::kNvidiaDeviceNotFound);  // tries again, fails again
  EXPECT_EQ(library.loads, 2);
  EXPECT_EQ(stub.CallsInFlight(), 0);

  fake.initStatus = nvapi::kOk;
  EXPECT_EQ(BusId(&bus), nvapi::kOk);
}

TEST_F(NvapiStubTest, MissingInitialiseEntryOrQueryInterfaceIsAGeneralError) {
  fake.absent.insert(nvapi::kIdInitialize);
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kError);
  EXPECT_FALSE(stub.IsLoaded());

  library.symbols.clear();
  EXPECT_EQ(stub.NvAPI_Initialize(), nvapi::kError);
  EXPECT_EQ(library.frees, library.loads);
}

TEST_F(NvapiStubTest, MissingLibraryIsReportedOnEveryCallAndRetried) {
  FakeSystem empty;
  empty.AddModule(L"msasn1.dll", &crypto);
  empty.AddModule(L"cryptnet.dll", &crypto);
  gpu::NvapiStub lonely(empty);
  std::uint32_t bus = 0;
  EXPECT_EQ(lonely.NvAPI_Initialize(), nvapi::kLibraryNotFound);
  EXPECT_EQ(lonely.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus),
            nvapi::kLibraryNotFound);
  EXPECT_EQ(empty.LoadsOf(L"nvapi64.dll"), 2);
  EXPECT_EQ(lonely.CallsInFlight(), 0);
}

TEST_F(NvapiStubTest, PlainUnloadEntryIsUsedWhenThePreferredOneIsAbsent) {
  fake.absent.insert(nvapi::kIdUnloadPreferred);
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(fake.plainUnloads, 1);
  EXPECT_FALSE(stub.IsLoaded());
}

TEST_F(NvapiStubTest, NoUnloadEntryAtAllKeepsTheLibrary) {
  fake.absent.insert({nvapi::kIdUnloadPreferred, nvapi::kIdUnload});
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kNoImplementation);
  EXPECT_TRUE(stub.IsLoaded());
  EXPECT_EQ(stub.InitCount(), 1);
}

TEST_F(NvapiStubTest, FailingDriverUnloadRestoresTheReferences) {
  fake.unloadStatus = nvapi::kError - 10;
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kError);
  EXPECT_TRUE(stub.IsLoaded());
  EXPECT_TRUE(stub.IsInitialized());
  EXPECT_EQ(stub.LoadCount(), 1);
  EXPECT_EQ(stub.InitCount(), 1);
}

TEST_F(NvapiStubTest, CallDuringAnUnloadWaitsTenTimesThenGivesUp) {
  ASSERT_EQ(stub.NvAPI_Initialize(), nvapi::kOk);
  fake.stub = &stub;  // the driver's unload entry makes a call through the stub
  EXPECT_EQ(stub.NvAPI_Unload(), nvapi::kOk);
  EXPECT_EQ(fake.callDuringUnload, nvapi::kError);
  EXPECT_EQ(system.sleeps, std::vector<std::uint32_t>(10, 100));
}

TEST_F(NvapiStubTest, OnlyALonePreCallHookIsKept) {
  struct Case {
    bool pre, post, kept;
  };
  for (const Case c :
       {Case{true, false, true}, Case{true, true, false}, Case{false, true, false}}) {
    SCOPED_TRACE(testing::Message() << "pre " << c.pre << " post " << c.post);
    FakeSystem fresh;
    fresh.AddModule(L"nvapi64.dll", &library);
    fresh.AddModule(L"msasn1.dll", &crypto);
    fresh.AddModule(L"cryptnet.dll", &crypto);
    gpu::NvapiStub hooked(fresh);
    fake.absent.clear();
    if (!c.pre) fake.absent.insert(nvapi::kIdPreCallHook);
    if (!c.post) fake.absent.insert(nvapi::kIdPostCallHook);
    fake.preHookCalls = 0;

    std::uint32_t bus = 0;
    EXPECT_EQ(hooked.Call<nvapi::GpuU32Fn>(NvapiFunction::kGetBusId, NvPhysicalGpuHandle{}, &bus),
              nvapi::kOk);
    EXPECT_EQ(hooked.HasPreCallHook(), c.kept);
    EXPECT_FALSE(hooked.HasPostCallHook());
    EXPECT_EQ(fake.preHookCalls, c.kept ? 1 : 0);
    if (c.kept) {
      EXPECT_EQ(fake.preHookId, nvapi::kIdGetBusId);
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
