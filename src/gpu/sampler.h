// The sampling thread's work: once per cycle every GPU slot in use is read through the driver
// API and the management library, each reading from its preferred source or its fallback, into
// the slot's readings, supported flags, statistics and histories; then the tab captions, the
// check boxes and the repaint of the meter, graph and panel areas.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "gpu/gpu_slots.h"
#include "gpu/message_sink.h"
#include "gpu/repaint_areas.h"
#include "gpu/tab_caption.h"
#include "gpu/vendor.h"

namespace gpu {

// What a cycle needs from the main window; the Win32 glue sends messages, tests record.
class CycleWindow {
 public:
  virtual ~CycleWindow() = default;
  virtual void SetTabCaption(int slot, const char* caption) = 0;
  virtual void PollCheckboxes() = 0;
  // Composes the information line from the kept facts and puts it on its group box.
  virtual void ShowInfoLine() = 0;
  virtual WindowSize OuterSize() = 0;
  virtual void Invalidate(const RepaintRequest& request) = 0;
};

// What each tab was last given by the cycles. A caption is sent only when it differs: every
// caption the tab control is given makes it repaint its whole strip, so an unchanged one would
// cost a repaint per tab per cycle for no change on the screen. Nothing is known before the
// first cycle, so that the start-up labels are always replaced.
class ShownCaptions {
 public:
  // True when tab `slot` has not yet been given `caption`, which is then taken as shown.
  bool Replace(int slot, const char (&caption)[kCaptionSize]);

 private:
  std::array<std::array<char, kCaptionSize>, kMaxGpus> shown_{};
  std::array<bool, kMaxGpus> known_{};
};

// Steps 1 to 11 of one slot: every reading of the GPU in slot `slot`.
void SampleSlot(Vendor& vendor, SlotTable& table, int slot);

// One cycle: every slot in use, its tab caption where it changed, the check boxes, the facts of
// the information line (shown again when they changed), the repaint request.
void RunSamplingCycle(Vendor& vendor, SlotTable& table, CycleWindow& window, ShownCaptions& shown);

// The thread body: cycles a second apart until `appRunning` is found 0 after a cycle.
int RunSamplingThread(Vendor& vendor, SlotTable& table, CycleWindow& window);

// Start-up's start of the sampling thread: `start` starts it and says whether it runs. Without
// the thread nothing is ever sampled and no check box reacts, so a thread that cannot be started
// ends the start-up: the run flag is cleared and `messages` is told why. False then.
bool StartSampling(SlotTable& table, const std::function<bool()>& start, MessageSink& messages);

}  // namespace gpu
