#include "gpu/sampler.h"

#include "gpu/sample_steps.h"
#include "gpu/tab_caption.h"

namespace gpu {
namespace {

constexpr std::uint32_t kCyclePauseMs = 1000;

void RequestRepaint(SlotTable& table, CycleWindow& window) {
  const std::array<Rect, 12> areas = MeterAndGraphAreas(window.OuterSize());
  AdvanceGridPhase(table);
  for (const Rect& area : areas) window.Invalidate(area);
  window.Invalidate(InformationPanelArea(window.OuterSize()));
}

}  // namespace

void SampleSlot(Vendor& vendor, SlotTable& table, int slot) {
  if (slot < 0 || slot >= kMaxGpus) return;
  GpuSlot& record = table.slots[static_cast<std::size_t>(slot)];
  SlotSampling s{vendor, table, record, static_cast<std::uint32_t>(slot), table.HandleOf(record)};
  SampleCurrentClocks(s);
  SampleBaseClocks(s);
  SampleClockCeilings(s);
  SampleGpuLoad(s);
  SampleMemory(s);
  SampleTemperature(s);
  SamplePowerAndDriverModel(s);
  SamplePstate(s);
  SampleEngineLoads(s);
  SampleFans(s);
  SampleCoreVoltage(s);
}

void RunSamplingCycle(Vendor& vendor, SlotTable& table, CycleWindow& window) {
  // The count is read again after every slot, and never trusted beyond the table.
  for (int slot = 0; slot < table.gpuCount.Load() && slot < kMaxGpus; ++slot) {
    SampleSlot(vendor, table, slot);
    char caption[kCaptionSize] = {};
    BuildTabCaption(vendor, table, slot, caption);
    window.SetTabCaption(slot, caption);
  }
  window.PollCheckboxes();
  RequestRepaint(table, window);
}

int RunSamplingThread(Vendor& vendor, SlotTable& table, CycleWindow& window) {
  for (;;) {
    RunSamplingCycle(vendor, table, window);
    if (table.appRunning.Load() == 0) return 0;
    table.sampleCount.Store(table.sampleCount.Load() + 1);
    vendor.system.SleepMs(kCyclePauseMs);
  }
}

}  // namespace gpu
