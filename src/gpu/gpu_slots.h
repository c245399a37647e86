// The GPU slot table: one record per monitored GPU, shared by every thread. Start-up fills the
// identity part before the sampling thread starts; from then on the sampling thread is the only
// writer of readings, statistics, supported flags and histories, and every other thread reads
// them without a lock. Every field is a Shared word: a reader may see values of two cycles side
// by side, never a torn value. A default-constructed slot is in its initial state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "gpu/nvapi_abi.h"
#include "gpu/shared_value.h"
#include "platform/replacing_file.h"

namespace gpu {

inline constexpr int kMaxGpus = 8;
inline constexpr std::size_t kHistoryLength = 208;
inline constexpr std::int32_t kEmptySample = -1000;
inline constexpr std::uint32_t kInitialGpuClockMinKHz = 1000000;
inline constexpr std::uint32_t kInitialPowerLimitUnknown = 99999;
inline constexpr std::uint32_t kUnknownPowerLimitMw =
    100000;                                            // shown while the limit cannot be read
inline constexpr std::size_t kNameBufferLength = 100;  // wide characters per name buffer
inline constexpr std::size_t kInfoLineSize = 128;

// Positions in clockCurrent, clockBase and the clock history.
enum ClockIndex : std::size_t { kGraphics = 0, kMemory = 1, kProcessor = 2, kVideo = 3 };
inline constexpr std::size_t kClockCount = 4;

// Samples of one metric, newest at index 0; `Width` values per sample (4 for the clocks).
template <std::size_t Width>
class MetricHistory {
 public:
  MetricHistory() {
    for (auto& sample : samples_) {
      for (auto& value : sample) value.Store(kEmptySample);
    }
  }
  std::int32_t At(std::size_t index, std::size_t part = 0) const {
    return samples_[index][part].Load();
  }

  // Shifts every sample one place towards the old end, dropping the oldest, and stores
  // `values` at index 0. A value equal to the empty marker is stored one above it, so that a
  // reading never turns into a missing sample.
  void Push(const std::array<std::int32_t, Width>& values) {
    for (std::size_t n = kHistoryLength - 1; n > 0; --n) {
      for (std::size_t part = 0; part < Width; ++part) {
        samples_[n][part].Store(samples_[n - 1][part].Load());
      }
    }
    for (std::size_t part = 0; part < Width; ++part) {
      samples_[0][part].Store(values[part] == kEmptySample ? kEmptySample + 1 : values[part]);
    }
  }

 private:
  std::array<std::array<Shared<std::int32_t>, Width>, kHistoryLength> samples_;
};

using U32 = Shared<std::uint32_t>;
using I32 = Shared<std::int32_t>;
using Flag = Shared<std::int32_t>;

struct GpuSlot {
  // Identity, written by start-up.
  Shared<const wchar_t*> gpuName{L"- empty -"};
  U32 handleIndex{0};
  Flag fixedClockBoard{0};
  Flag hasFanCoolerStatus{0};
  U32 fanCoolerCount{0};
  U32 coolerVersion{nvapi::kCoolerSettingsV4};
  U32 memoryInfoVersion{nvapi::kMemoryInfoV3};
  U32 thermalVersion{nvapi::kThermalSettingsV2};
  U32 pstates20Version{nvapi::kPstates20V3};
  U32 clockVersionBoost{nvapi::kClockFrequenciesV3};
  U32 clockVersionBase{nvapi::kClockFrequenciesV3};
  U32 clockVersionCurrent{nvapi::kClockFrequenciesV3};
  // The ceilings a fixed-clock board gets back whenever its boost-clock query fails.
  U32 fixedGraphicsCeilingKHz{0};
  U32 fixedMemoryCeilingKHz{0};

  // Current readings (kHz, %, KiB, °C, mW, rpm, µV).
  std::array<U32, kClockCount> clockCurrent{};
  std::array<U32, kClockCount> clockBase{};
  U32 graphicsClockCeilingKHz{0};
  U32 memoryClockCeilingKHz{0};
  U32 gpuLoad{0};
  U32 memCtrlLoad{0};
  U32 videoEngineLoad{0};
  U32 busLoad{0};
  U32 memUsedKiB{0};
  U32 memTotalKiB{0};
  I32 temperature{0};
  U32 powerDraw{0};
  U32 powerLimit{0};
  U32 powerLimitUnknown{kInitialPowerLimitUnknown};
  U32 driverModel{0};
  U32 pstate{0};
  U32 fanLevel{0};
  U32 fanRpm{0};
  std::array<U32, 2> fanLevelPair{};
  std::array<U32, 2> fanRpmPair{};
  U32 coreVoltage{0};

  // Graphics-clock statistics over the whole run.
  U32 gpuClockMin{kInitialGpuClockMinKHz};
  U32 gpuClockAvg{0};
  U32 gpuClockMax{0};
  Shared<std::uint64_t> gpuClockSumNvapi{0};
  Shared<std::uint64_t> gpuClockSumNvml{0};

  // Supported flags: 0 until the first successful reading, then 1 for the rest of the run.
  Flag hasGpuClock{0};
  Flag hasMemClock{0};
  Flag hasProcClock{0};
  Flag hasVideoClock{0};
  Flag hasGpuLoad{0};
  Flag hasMemUsed{0};
  Flag hasDriverModel{0};
  Flag hasTemperature{0};
  Flag hasPower{0};
  Flag hasMemCtrlLoad{0};
  Flag hasVideoEngineLoad{0};
  Flag hasBusLoad{0};
  Flag hasFanLevel{0};
  Flag hasFanRpm{0};
  Flag hasPstate{0};
  Flag hasVoltage{0};

  // Histories, one sample per cycle in which the reading was obtained.
  MetricHistory<kClockCount> clockHistory;
  MetricHistory<1> loadHistory;
  MetricHistory<1> memUsedHistory;
  MetricHistory<1> temperatureHistory;
  MetricHistory<1> powerHistory;
};

// Narrow text shared between threads: characters are single Shared bytes, so two writers can
// interleave their texts but never make a reader see undefined memory.
template <std::size_t Size>
class SharedText {
 public:
  void Store(const char* text) {
    std::size_t i = 0;
    for (; i + 1 < Size && text[i] != '\0'; ++i) chars_[i].Store(text[i]);
    for (; i < Size; ++i) chars_[i].Store('\0');
  }
  // Copies the text into `out` (Size bytes), always terminated.
  void Load(char (&out)[Size]) const {
    for (std::size_t i = 0; i < Size; ++i) out[i] = chars_[i].Load();
    out[Size - 1] = '\0';
  }

 private:
  std::array<Shared<char>, Size> chars_{};
};

// What the information line says of a GPU, as the newest driver queries gave it. The sampling
// thread asks again every cycle, so that the window composes the line without waiting on the
// driver.
struct InfoFacts {
  Flag hasName{0};
  SharedText<nvapi::kShortStringSize + 1> name;  // all 64 bytes the driver may fill, terminated
  Flag hasCudaCores{0};
  U32 cudaCores{0};
  Flag hasCoreCounts{0};  // the RT and tensor counts
  U32 rtCores{0};
  U32 tensorCores{0};
};

// The table and the process-wide values beside it.
struct SlotTable {
  std::array<GpuSlot, kMaxGpus> slots;
  std::array<InfoFacts, kMaxGpus> infoFacts;
  I32 gpuCount{0};
  I32 selectedSlot{0};
  Flag appRunning{1};
  Flag osSupported{0};
  I32 sampleCount{0};
  I32 gridPhase{0};
  Flag detailMode{0};
  Flag csvActive{0};
  Flag csvStartPending{0};
  Flag shotActive{0};
  Flag shotStartPending{0};
  Flag osNoticePending{1};
  // Number of the newest logging run; a logging thread of an older run stops without writing.
  I32 csvRunNumber{0};
  // Number of the newest screenshot request; an older screenshot thread never ends a newer one.
  I32 shotRequestNumber{0};
  // Number of the last request whose thread has finished it (picture taken or path refused);
  // the poll ends that request while it is still the newest.
  I32 shotDoneNumber{0};
  // Set to 0 before a settings dialog opens; the dialog sets -1 when it is closed unconfirmed.
  I32 logDialogCancelled{0};
  I32 screenshotDialogCancelled{0};
  SharedText<kInfoLineSize> infoLine;

  // The files chosen in the two save dialogs. Only the sampling thread touches them; a thread
  // started for a file gets its own copy of the path.
  char csvPath[platform::kPathSize] = {};
  char shotPath[platform::kPathSize] = {};

  // Written by start-up before any other thread exists, read-only afterwards.
  std::array<NvPhysicalGpuHandle, nvapi::kMaxPhysicalGpus> gpuHandles{};
  wchar_t nameBuffers[nvapi::kMaxPhysicalGpus][kNameBufferLength] = {};

  NvPhysicalGpuHandle HandleOf(const GpuSlot& slot) const;
};

// Puts all eight slots back into their initial state. Only while no other thread runs.
void ResetSlots(SlotTable& table);

// `PushHistory` of the slot's current clocks into its clock history.
void PushClockHistory(GpuSlot& slot);
void PushHistory(MetricHistory<1>& history, std::int32_t value);

// The graphics-clock statistics after this cycle's graphics clock has been taken: `fromNvapi`
// tells which source served it; `sampleCount` is the number of completed cycles so far.
void UpdateGpuClockStatistics(GpuSlot& slot, bool fromNvapi, std::int32_t sampleCount);

// The process's table.
SlotTable& ProcessSlotTable();

}  // namespace gpu
