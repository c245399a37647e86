// Current, base and boost clocks.
#include <algorithm>
#include <limits>

#include "gpu/sample_steps.h"

namespace gpu {
namespace {

constexpr std::uint32_t kDomains[kClockCount] = {
    nvapi::kClockDomainGraphics, nvapi::kClockDomainMemory, nvapi::kClockDomainProcessor,
    nvapi::kClockDomainVideo};

bool QueryClocks(SlotSampling& s, std::uint32_t version, std::uint32_t type,
                 nvapi::NV_GPU_CLOCK_FREQUENCIES& clocks) {
  clocks = {};
  clocks.version = version;
  clocks.clockTypeBits = type;
  return s.vendor.nvapi.NvAPI_GPU_GetAllClockFrequencies(s.gpu, &clocks) == nvapi::kOk;
}

bool NvmlClock(SlotSampling& s, nvmlDevice_t device, std::int32_t type, std::uint32_t* khz) {
  const auto clockInfo = s.vendor.nvml.Find<nvml::DeviceGetClockInfoFn>(nvml::kDeviceGetClockInfo);
  std::uint32_t mhz = 0;
  if (clockInfo == nullptr || clockInfo(device, type, &mhz) != nvml::kSuccess) return false;
  *khz = MhzToKhz(mhz);
  return true;
}

void StoreIfRead(bool read, std::uint32_t value, U32& field, Flag& flag) {
  if (!read) return;
  field.Store(value);
  flag.Store(1);
}

void CurrentClocksFromNvapi(SlotSampling& s, const nvapi::NV_GPU_CLOCK_FREQUENCIES& clocks) {
  GpuSlot& slot = s.slot;
  slot.clockCurrent[kGraphics].Store(clocks.domain[nvapi::kClockDomainGraphics].frequencyKHz);
  slot.clockCurrent[kMemory].Store(clocks.domain[nvapi::kClockDomainMemory].frequencyKHz);
  slot.hasGpuClock.Store(1);
  slot.hasMemClock.Store(1);
  UpdateGpuClockStatistics(slot, true, s.table.sampleCount.Load());
  const auto& processor = clocks.domain[nvapi::kClockDomainProcessor];
  StoreIfRead(processor.presentBits & 1, processor.frequencyKHz, slot.clockCurrent[kProcessor],
              slot.hasProcClock);
  const auto& video = clocks.domain[nvapi::kClockDomainVideo];
  StoreIfRead(video.presentBits & 1, video.frequencyKHz, slot.clockCurrent[kVideo],
              slot.hasVideoClock);
}

// One management-library clock into its field and flag, when the call succeeds.
void NvmlClockInto(SlotSampling& s, nvmlDevice_t device, std::int32_t type, U32& field,
                   Flag& flag) {
  std::uint32_t khz = 0;
  if (NvmlClock(s, device, type, &khz)) StoreIfRead(true, khz, field, flag);
}

// False when the management library cannot serve this slot at all.
bool CurrentClocksFromNvml(SlotSampling& s) {
  nvmlDevice_t device = nullptr;
  if (!s.NvmlDevice(&device)) return false;
  GpuSlot& slot = s.slot;
  NvmlClockInto(s, device, nvml::kClockGraphics, slot.clockCurrent[kGraphics], slot.hasGpuClock);
  NvmlClockInto(s, device, nvml::kClockMem, slot.clockCurrent[kMemory], slot.hasMemClock);
  UpdateGpuClockStatistics(slot, false, s.table.sampleCount.Load());
  NvmlClockInto(s, device, nvml::kClockSm, slot.clockCurrent[kProcessor], slot.hasProcClock);
  NvmlClockInto(s, device, nvml::kClockVideo, slot.clockCurrent[kVideo], slot.hasVideoClock);
  return true;
}

// The base clock of `domain` from P-state 0's clock entries: the entry's frequency (of a range
// entry its lower end), never its delta range, which is the over-clocking allowance and no clock;
// false when the domain is not listed.
bool PstateBaseClock(const nvapi::NV_GPU_PERF_PSTATES20_INFO& info, std::size_t position,
                     std::uint32_t* khz) {
  const auto& pstate = info.pstates[0];
  const std::uint32_t listed = std::min<std::uint32_t>(info.numClocks, std::size(pstate.clocks));
  for (std::uint32_t i = 0; i < listed; ++i) {
    const auto& entry = pstate.clocks[i];
    if (entry.domainId != kDomains[position]) continue;
    *khz = entry.data[0];
    return true;
  }
  return false;
}

void BaseClocksFromPstates(SlotSampling& s) {
  nvapi::NV_GPU_PERF_PSTATES20_INFO info = {};
  info.version = s.slot.pstates20Version.Load();
  if (s.vendor.nvapi.NvAPI_GPU_GetPstates20(s.gpu, &info) != nvapi::kOk) return;
  for (std::size_t position = 0; position < kClockCount; ++position) {
    std::uint32_t khz = 0;
    if (PstateBaseClock(info, position, &khz)) s.slot.clockBase[position].Store(khz);
  }
}

}  // namespace

std::uint32_t MhzToKhz(std::uint32_t mhz) {
  constexpr std::uint32_t kLimit = std::numeric_limits<std::uint32_t>::max() / 1000;
  return mhz > kLimit ? std::numeric_limits<std::uint32_t>::max() : mhz * 1000;
}

void SampleCurrentClocks(SlotSampling& s) {
  nvapi::NV_GPU_CLOCK_FREQUENCIES clocks;
  if (QueryClocks(s, s.slot.clockVersionCurrent.Load(), nvapi::kClockTypeCurrent, clocks)) {
    CurrentClocksFromNvapi(s, clocks);
  } else if (!CurrentClocksFromNvml(s)) {
    return;  // no source at all: nothing changes, not even the history
  }
  PushClockHistory(s.slot);
}

void SampleBaseClocks(SlotSampling& s) {
  nvapi::NV_GPU_CLOCK_FREQUENCIES clocks;
  if (!QueryClocks(s, s.slot.clockVersionBase.Load(), nvapi::kClockTypeBase, clocks)) {
    BaseClocksFromPstates(s);
    return;
  }
  for (std::size_t position = 0; position < kClockCount; ++position) {
    s.slot.clockBase[position].Store(clocks.domain[kDomains[position]].frequencyKHz);
  }
}

void SampleClockCeilings(SlotSampling& s) {
  GpuSlot& slot = s.slot;
  nvapi::NV_GPU_CLOCK_FREQUENCIES clocks;
  if (!QueryClocks(s, slot.clockVersionBoost.Load(), nvapi::kClockTypeBoost, clocks)) {
    if (slot.fixedClockBoard.Load() != 0) {
      slot.graphicsClockCeilingKHz.Store(slot.fixedGraphicsCeilingKHz.Load());
      slot.memoryClockCeilingKHz.Store(slot.fixedMemoryCeilingKHz.Load());
    }
    return;
  }
  slot.graphicsClockCeilingKHz.Store(std::max(
      {slot.clockCurrent[kGraphics].Load(), clocks.domain[nvapi::kClockDomainGraphics].frequencyKHz,
       slot.graphicsClockCeilingKHz.Load()}));
  slot.memoryClockCeilingKHz.Store(std::max({slot.clockCurrent[kMemory].Load(),
                                             clocks.domain[nvapi::kClockDomainMemory].frequencyKHz,
                                             slot.memoryClockCeilingKHz.Load()}));
}

}  // namespace gpu
