// A slot table filled as start-up would fill it, over the in-process simulator, and a main
// window that records what a sampling cycle asks of it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gpu/gpu_slots.h"
#include "gpu/sampler.h"
#include "support/sim_vendor.h"

namespace testing_support {

class RecordingWindow final : public gpu::CycleWindow {
 public:
  explicit RecordingWindow(gpu::SlotTable& table) : table_(table) {}
  void SetTabCaption(int slot, const char* caption) override {
    captions.push_back(std::to_string(slot) + ":" + caption);
  }
  void PollCheckboxes() override {
    if (++polls == stopAfterPolls) table_.appRunning.Store(0);
  }
  void ShowInfoLine() override { ++infoLineShows; }
  gpu::WindowSize OuterSize() override { return size; }
  void Invalidate(const gpu::RepaintRequest& request) override {
    invalidated.insert(invalidated.end(), request.mainWindowAreas.begin(),
                       request.mainWindowAreas.end());
    childrenOver.push_back(request.childrenOver);
  }

  gpu::WindowSize size{900, 520};
  int polls = 0;
  int stopAfterPolls = 0;  // clears appRunning at that poll; 0: never
  int infoLineShows = 0;
  std::vector<std::string> captions;
  std::vector<gpu::Rect> invalidated;   // the main window's areas of every request
  std::vector<gpu::Rect> childrenOver;  // one per request

 private:
  gpu::SlotTable& table_;
};

class SamplingFixture : public ::testing::Test {
 protected:
  // Loads `scenario`, starts both libraries and puts the enumerated GPUs (WDDM, then TCC) into
  // slots in enumeration order.
  void Load(const std::string& scenario) {
    vendor = std::make_unique<SimVendor>(scenario);
    vendor->Start();
    table = std::make_unique<gpu::SlotTable>();
    window = std::make_unique<RecordingWindow>(*table);
    PlaceEnumeratedGpus(*vendor, *table);
  }
  // Runs `cycles` cycles as the sampling thread does, each followed by the count of cycles.
  void Cycles(int cycles) {
    gpu::Vendor v = vendor->Get();
    for (int i = 0; i < cycles; ++i) {
      gpu::RunSamplingCycle(v, *table, *window, shown);
      table->sampleCount.Store(table->sampleCount.Load() + 1);
    }
  }

  gpu::GpuSlot& Slot(int i) { return table->slots[static_cast<std::size_t>(i)]; }

  std::unique_ptr<SimVendor> vendor;
  std::unique_ptr<gpu::SlotTable> table;
  std::unique_ptr<RecordingWindow> window;
  gpu::ShownCaptions shown;  // kept across Cycles(), as the thread keeps it
};

}  // namespace testing_support
