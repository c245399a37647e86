#include "gpu/gpu_enumeration.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "gpu/discovery_texts.h"
#include "sim/sim.h"
#include "support/discovery_fake_driver.h"
#include "support/sim_vendor.h"

namespace {

using testing_support::FakeGpuHandle;
using testing_support::SimVendor;

using Result = std::pair<NvAPI_Status, int>;  // the status and the GPU count

struct Enumerated {
  NvAPI_Status status;
  std::unique_ptr<gpu::SlotTable> table;
  Result Counted() const { return {status, table->gpuCount.Load()}; }
};

Enumerated Enumerate(gpu::Vendor vendor) {
  auto table = std::make_unique<gpu::SlotTable>();
  const NvAPI_Status status = gpu::EnumerateGpus(vendor, *table);
  return {status, std::move(table)};
}

TEST(DiscoveryEnumeration, DisplayGpusThenComputeGpusBehindThem) {
  SimVendor v(testing_support::Gpus(
      {"  name A\n  bus 3\n", "  name B\n  driver tcc\n  bus 1\n", "  name C\n  bus 2\n"}));
  const Enumerated e = Enumerate(v.Get());
  ASSERT_EQ(e.Counted(), Result(nvapi::kOk, 3));
  const char* expected[] = {"A", "C", "B"};
  for (int h = 0; h < 3; ++h) {
    char name[nvapi::kShortStringSize] = {};
    ASSERT_EQ(v.stub.NvAPI_GPU_GetFullName(e.table->gpuHandles[h], name), nvapi::kOk);
    EXPECT_STREQ(name, expected[h]) << "handle " << h;
  }
  EXPECT_EQ(e.table->gpuHandles[3], nullptr);
  EXPECT_TRUE(sim::NvapiInitialized());
}

TEST(DiscoveryEnumeration, InitialiseFailureReturnsItsStatusAndEnumeratesNothing) {
  SimVendor v("fail NvAPI_Initialize -6\ngpu\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(-6, 0));
  EXPECT_EQ(sim::NvapiCallCount(nvapi::kIdEnumPhysicalGPUs), 0u);
  EXPECT_EQ(gpu::NvapiFailureText(e.status), L"NvAPIの初期化に失敗しました\nerrorcode -6");
}

TEST(DiscoveryEnumeration, NoGpuIsMinusThousand) {
  SimVendor v("fail NvAPI_EnumPhysicalGPUs -6\nfail NvAPI_EnumTCCPhysicalGPUs -6\ngpu\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(gpu::kNoGpuFound, 0));
  EXPECT_EQ(e.status, -1000);
  EXPECT_EQ(gpu::NvapiFailureText(e.status), L"NvAPIの初期化に失敗しました\nerrorcode -1000");
}

TEST(DiscoveryEnumeration, AFailedDisplayEnumerationCountsNothingOfIt) {
  SimVendor v("fail NvAPI_EnumPhysicalGPUs -104\ngpu\nend\ngpu\n  driver tcc\nend\n");
  const Enumerated e = Enumerate(v.Get());
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 1));  // the compute GPU, at position 0
  EXPECT_NE(e.table->gpuHandles[0], nullptr);
}

// Counts above the table never write or count past its 64 handles.
Enumerated Clamped(std::uint32_t displayGpus, std::uint32_t displayReported,
                   std::uint32_t computeGpus, std::uint32_t computeReported) {
  testing_support::DiscoveryFakeVendor fake;
  fake.driver.displayGpus = displayGpus;
  fake.driver.displayReported = displayReported;
  fake.driver.computeGpus = computeGpus;
  fake.driver.computeReported = computeReported;
  return Enumerate(fake.Get());
}

TEST(DiscoveryEnumerationClamp, CountsTheDriverLeavesUnwrittenAreZero) {
  testing_support::DiscoveryFakeVendor fake;
  fake.driver.countsWritten = false;
  const Enumerated e = Enumerate(fake.Get());
  EXPECT_EQ(e.Counted(), Result(gpu::kNoGpuFound, 0));
}

TEST(DiscoveryEnumerationClamp, AbsurdDisplayCountIsCutToTheTable) {
  const Enumerated e = Clamped(64, 1000000, 64, 1000000);
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 64));
  EXPECT_EQ(e.table->gpuHandles[63], FakeGpuHandle(63));
}

TEST(DiscoveryEnumerationClamp, ComputeGpusFillOnlyTheRoomLeft) {
  const Enumerated e = Clamped(3, 3, 64, 64);  // the driver fills its whole compute buffer
  EXPECT_EQ(e.Counted(), Result(nvapi::kOk, 64));
  EXPECT_EQ(e.table->gpuHandles[2], FakeGpuHandle(2));
  EXPECT_EQ(e.table->gpuHandles[3], FakeGpuHandle(100));
  EXPECT_EQ(e.table->gpuHandles[63], FakeGpuHandle(160));
  // What lies behind the handle table is untouched.
  for (wchar_t c : e.table->nameBuffers[0]) ASSERT_EQ(c, L'\0');
}

TEST(DiscoveryEnumerationClamp, ComputeCountIsCountedOnlyAsFarAsItFits) {
  const Enumerated e = Clamped(60, 60, 2, 0xFFFFFFFFu);
  EXPECT_EQ(e.table->gpuCount.Load(), 64);
  EXPECT_EQ(e.table->gpuHandles[61], FakeGpuHandle(101));
  EXPECT_EQ(e.table->gpuHandles[62], nullptr);  // reported, never written by the driver
}

}  // namespace
