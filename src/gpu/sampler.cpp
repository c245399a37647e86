#include "gpu/sampler.h"

#include <cstring>

#include "gpu/discovery_texts.h"
#include "gpu/info_line.h"
#include "gpu/sample_steps.h"

namespace gpu {
namespace {

constexpr std::uint32_t kCyclePauseMs = 1000;

void RequestRepaint(SlotTable& table, CycleWindow& window) {
  const RepaintRequest request = CycleRepaint(window.OuterSize());
  AdvanceGridPhase(table);
  window.Invalidate(request);
}

}  // namespace

bool ShownCaptions::Replace(int slot, const char (&caption)[kCaptionSize]) {
  if (slot < 0 || slot >= kMaxGpus) return false;
  const auto index = static_cast<std::size_t>(slot);
  std::array<char, kCaptionSize>& shown = shown_[index];
  if (known_[index] && std::strncmp(shown.data(), caption, kCaptionSize) == 0) return false;
  std::memcpy(shown.data(), caption, kCaptionSize);
  shown.back() = '\0';
  known_[index] = true;
  return true;
}

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

void RunSamplingCycle(Vendor& vendor, SlotTable& table, CycleWindow& window, ShownCaptions& shown) {
  // The count is read again after every slot, and never trusted beyond the table.
  for (int slot = 0; slot < table.gpuCount.Load() && slot < kMaxGpus; ++slot) {
    SampleSlot(vendor, table, slot);
    char caption[kCaptionSize] = {};
    BuildTabCaption(vendor, table, slot, caption);
    if (shown.Replace(slot, caption)) window.SetTabCaption(slot, caption);
  }
  window.PollCheckboxes();
  // After the poll, so that a detail mode turned on in it finds the core counts in this cycle.
  if (RefreshShownInfoFacts(vendor, table)) window.ShowInfoLine();
  RequestRepaint(table, window);
}

bool StartSampling(SlotTable& table, const std::function<bool()>& start, MessageSink& messages) {
  if (start()) return true;
  table.appRunning.Store(0);
  messages.Show(kThreadFailedText);
  return false;
}

int RunSamplingThread(Vendor& vendor, SlotTable& table, CycleWindow& window) {
  ShownCaptions shown;
  for (;;) {
    RunSamplingCycle(vendor, table, window, shown);
    if (table.appRunning.Load() == 0) return 0;
    table.sampleCount.Store(table.sampleCount.Load() + 1);
    vendor.system.SleepMs(kCyclePauseMs);
  }
}

}  // namespace gpu
