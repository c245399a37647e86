#include "gpu/gpu_slots.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using gpu::kEmptySample;
using gpu::kHistoryLength;

TEST(SlotTable, StartsInItsInitialStateAndResetsToIt) {
  auto table = std::make_unique<gpu::SlotTable>();
  gpu::GpuSlot& slot = table->slots[3];
  EXPECT_STREQ(slot.gpuName.Load(), L"- empty -");
  EXPECT_EQ(slot.gpuClockMin.Load(), 1000000u);
  EXPECT_EQ(slot.powerLimitUnknown.Load(), 99999u);
  EXPECT_EQ(slot.clockVersionCurrent.Load(), 0x30108u);
  EXPECT_EQ(slot.coolerVersion.Load(), 0x40558u);
  EXPECT_EQ(slot.temperatureHistory.At(kHistoryLength - 1), kEmptySample);
  EXPECT_EQ(table->appRunning.Load(), 1);
  slot.hasTemperature.Store(1);
  slot.gpuClockMin.Store(5);
  gpu::PushHistory(slot.temperatureHistory, 50);
  table->gpuCount.Store(2);
  table->infoFacts[7].hasName.Store(1);
  gpu::ResetSlots(*table);
  for (const gpu::Flag* flag :
       {&slot.hasGpuClock, &slot.hasMemClock, &slot.hasProcClock, &slot.hasVideoClock,
        &slot.hasGpuLoad, &slot.hasMemUsed, &slot.hasDriverModel, &slot.hasTemperature,
        &slot.hasPower, &slot.hasMemCtrlLoad, &slot.hasVideoEngineLoad, &slot.hasBusLoad,
        &slot.hasFanLevel, &slot.hasFanRpm, &slot.hasPstate, &slot.hasVoltage}) {
    EXPECT_EQ(flag->Load(), 0);  // no reading supported before the first
  }
  EXPECT_EQ(table->infoFacts[7].hasName.Load(), 0);
  EXPECT_EQ(slot.gpuClockMin.Load(), 1000000u);
  EXPECT_EQ(slot.temperatureHistory.At(0), kEmptySample);
  EXPECT_EQ(table->gpuCount.Load(), 2);  // only the slots are reset

  table->nameBuffers[0][0] = L'N';  // behind the 64 handles: index 64 gives no handle
  slot.handleIndex.Store(64);
  EXPECT_EQ(table->HandleOf(slot), nullptr);
}

TEST(SlotTable, HistoryShiftsTowardsTheOldEndAndDropsTheOldest) {
  auto slot = std::make_unique<gpu::GpuSlot>();
  for (int i = 0; i < static_cast<int>(kHistoryLength) + 2; ++i) {
    gpu::PushHistory(slot->loadHistory, i);
  }
  EXPECT_EQ(slot->loadHistory.At(0), static_cast<int>(kHistoryLength) + 1);
  EXPECT_EQ(slot->loadHistory.At(kHistoryLength - 1), 2);
  slot->clockCurrent[gpu::kGraphics].Store(1500000);
  slot->clockCurrent[gpu::kVideo].Store(900000);
  gpu::PushClockHistory(*slot);
  EXPECT_EQ(slot->clockHistory.At(0, gpu::kGraphics), 1500000);
  EXPECT_EQ(slot->clockHistory.At(0, gpu::kVideo), 900000);
  EXPECT_EQ(slot->clockHistory.At(1, gpu::kGraphics), kEmptySample);
  // A value equal to the empty marker stays a sample: it is stored one above the marker.
  gpu::PushHistory(slot->loadHistory, kEmptySample);
  EXPECT_EQ(slot->loadHistory.At(0), kEmptySample + 1);
  slot->clockCurrent[gpu::kMemory].Store(0xFFFFFC18u);
  gpu::PushClockHistory(*slot);
  EXPECT_EQ(slot->clockHistory.At(0, gpu::kMemory), kEmptySample + 1);
  EXPECT_EQ(slot->clockHistory.At(0, gpu::kGraphics), 1500000);
}

TEST(SlotTable, AverageDividesTheSourcesSumByTheCycleCount) {
  auto slot = std::make_unique<gpu::GpuSlot>();
  slot->clockCurrent[gpu::kGraphics].Store(900000);
  gpu::UpdateGpuClockStatistics(*slot, true, 0);
  slot->clockCurrent[gpu::kGraphics].Store(1200000);
  gpu::UpdateGpuClockStatistics(*slot, false, 1);
  EXPECT_EQ(slot->gpuClockSumNvapi.Load(), 900000u);
  EXPECT_EQ(slot->gpuClockSumNvml.Load(), 1200000u);
  EXPECT_EQ(slot->gpuClockAvg.Load(), 600000u);  // the NVML sum over two cycles
  EXPECT_EQ(slot->gpuClockMin.Load(), 900000u);
  EXPECT_EQ(slot->gpuClockMax.Load(), 1200000u);
  // Sums far beyond 32 bits still give a defined, truncated average.
  slot->clockCurrent[gpu::kGraphics].Store(0xFFFFFFFFu);
  for (int cycle = 2; cycle < 6; ++cycle) gpu::UpdateGpuClockStatistics(*slot, true, 0);
  EXPECT_EQ(slot->gpuClockAvg.Load(), static_cast<std::uint32_t>(900000ull + 4ull * 0xFFFFFFFFull));
  // A count below zero is taken as no completed cycle.
  slot = std::make_unique<gpu::GpuSlot>();
  slot->clockCurrent[gpu::kGraphics].Store(900000);
  gpu::UpdateGpuClockStatistics(*slot, true, -3);
  EXPECT_EQ(slot->gpuClockAvg.Load(), 900000u);
}

TEST(SlotTable, SharedTextIsCutAndTerminated) {
  gpu::SharedText<8> text;
  text.Store("0123456789");
  char out[8];
  text.Load(out);
  EXPECT_STREQ(out, "0123456");
  text.Store("ab");
  text.Load(out);
  EXPECT_STREQ(out, "ab");
}

// One writer pushing and storing while readers read: quiet under ThreadSanitizer, and a reader
// never sees a value that no writer stored.
TEST(SlotTableConcurrent, ReadersSeeWholeValuesWhileTheSamplerWrites) {
  auto table = std::make_unique<gpu::SlotTable>();
  gpu::GpuSlot& slot = table->slots[0];
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 1; i <= 2000; ++i) {
      slot.clockCurrent[gpu::kGraphics].Store(static_cast<std::uint32_t>(i) * 1000);
      gpu::PushClockHistory(slot);
      slot.gpuClockSumNvapi.Store(static_cast<std::uint64_t>(i) << 33);
      slot.hasGpuClock.Store(1);
      table->sampleCount.Store(i);
    }
    done = true;
  });
  std::atomic<bool> torn{false};
  auto reader = [&] {
    while (!done) {
      const std::int32_t newest = slot.clockHistory.At(0, gpu::kGraphics);
      const std::uint64_t sum = slot.gpuClockSumNvapi.Load();
      if (newest != kEmptySample && newest % 1000 != 0) torn = true;
      if ((sum & ((1ull << 33) - 1)) != 0) torn = true;
    }
  };
  std::thread painter(reader), logger(reader);
  writer.join();
  painter.join();
  logger.join();
  EXPECT_FALSE(torn);
  EXPECT_EQ(slot.clockHistory.At(0, gpu::kGraphics), 2000000);
}

}  // namespace
