// The steps of sampling one slot, each in the file named after its readings. A step reads one
// kind of reading from its preferred source, falls back where it has a fallback, and leaves the
// stored value, its flag and its history alone when every source fails.
#pragma once

#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

struct SlotSampling {
  Vendor& vendor;
  SlotTable& table;
  GpuSlot& slot;
  std::uint32_t index;  // slot number, also the management library's device index
  NvPhysicalGpuHandle gpu;

  // The management library's device of this slot, fetched again for every step that needs it.
  bool NvmlDevice(nvmlDevice_t* device) { return vendor.nvml.Device(index, device); }
};

void SampleCurrentClocks(SlotSampling& s);        // 1
void SampleBaseClocks(SlotSampling& s);           // 2
void SampleClockCeilings(SlotSampling& s);        // 3
void SampleGpuLoad(SlotSampling& s);              // 4
void SampleMemory(SlotSampling& s);               // 5
void SampleTemperature(SlotSampling& s);          // 6
void SamplePowerAndDriverModel(SlotSampling& s);  // 7
void SamplePstate(SlotSampling& s);               // 8
void SampleEngineLoads(SlotSampling& s);          // 9
void SampleFans(SlotSampling& s);                 // 10
void SampleCoreVoltage(SlotSampling& s);          // 11

// A management-library clock in MHz as kHz, saturating instead of wrapping.
std::uint32_t MhzToKhz(std::uint32_t mhz);

}  // namespace gpu
