#include "gpu/gpu_slots.h"

#include <memory>

#include "platform/lasting.h"

namespace gpu {

NvPhysicalGpuHandle SlotTable::HandleOf(const GpuSlot& slot) const {
  const std::uint32_t index = slot.handleIndex.Load();
  return index < gpuHandles.size() ? gpuHandles[index] : nullptr;
}

void ResetSlots(SlotTable& table) {
  for (GpuSlot& slot : table.slots) {
    std::destroy_at(&slot);
    std::construct_at(&slot);
  }
  for (InfoFacts& facts : table.infoFacts) {
    std::destroy_at(&facts);
    std::construct_at(&facts);
  }
}

void PushClockHistory(GpuSlot& slot) {
  std::array<std::int32_t, kClockCount> clocks{};
  for (std::size_t i = 0; i < kClockCount; ++i) {
    clocks[i] = static_cast<std::int32_t>(slot.clockCurrent[i].Load());
  }
  slot.clockHistory.Push(clocks);
}

void PushHistory(MetricHistory<1>& history, std::int32_t value) {
  history.Push({value});
}

void UpdateGpuClockStatistics(GpuSlot& slot, bool fromNvapi, std::int32_t sampleCount) {
  const std::uint32_t v = slot.clockCurrent[kGraphics].Load();
  if (v < slot.gpuClockMin.Load()) slot.gpuClockMin.Store(v);
  Shared<std::uint64_t>& sum = fromNvapi ? slot.gpuClockSumNvapi : slot.gpuClockSumNvml;
  const std::uint64_t total = sum.Load() + v;
  sum.Store(total);
  // The divisor counts cycles, not successful samples.
  const std::uint64_t cycles = static_cast<std::uint64_t>(sampleCount < 0 ? 0 : sampleCount) + 1;
  slot.gpuClockAvg.Store(static_cast<std::uint32_t>(total / cycles));
  if (v > slot.gpuClockMax.Load()) slot.gpuClockMax.Store(v);
}

SlotTable& ProcessSlotTable() {
  static platform::Lasting<SlotTable> table;
  return table.Get();
}

}  // namespace gpu
