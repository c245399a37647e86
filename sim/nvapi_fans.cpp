// The two fan queries: the cooler query (a level, and a speed when the tachometer is valid) and
// the fan-cooler status query (speed and level of each fan). A scenario chooses which of them a
// GPU answers; the other says "not supported".
#include "call_gate.h"
#include "no_throw.h"
#include "nvapi_functions.h"
#include "versioned.h"

namespace sim {
namespace {

using nvapi::kError;
using Coolers = nvapi::NvCoolerSettings;
using FanStatus = nvapi::NvFanCoolerStatus;

constexpr std::uint32_t kCoolerTargetAll = 7;

struct FanReadings {
  Reading level;
  Reading rpm;
};
constexpr FanReadings kFans[] = {{Reading::kFan1Level, Reading::kFan1Rpm},
                                 {Reading::kFan2Level, Reading::kFan2Rpm}};

bool Answers(const GpuSetup& gpu, FanPath path) {
  return gpu.fanPath == path || gpu.fanPath == FanPath::kBoth;
}

void WriteCooler(CallGate& gate, RecordWriter& record, std::size_t k) {
  using Cooler = Coolers::Cooler;
  const std::size_t at = offsetof(Coolers, cooler) + k * sizeof(Cooler);
  if (!record.Fits(at, sizeof(Cooler))) return;
  const std::uint8_t tachometer = gate.Gpu().quirks.tachometerInvalid ? 0 : 1;
  const std::uint32_t fixed[] = {1, 2, 0, 100, 0, 100};  // fan, internal, level limits
  for (std::size_t i = 0; i < std::size(fixed); ++i) record.Put(at + 4 * i, fixed[i]);
  record.Put(at + offsetof(Cooler, currentLevel), ClampU32(gate.Take(kFans[k].level)));
  record.Put(at + offsetof(Cooler, defaultPolicy), std::uint32_t{1});
  record.Put(at + offsetof(Cooler, currentPolicy), std::uint32_t{1});
  record.Put(at + offsetof(Cooler, target), std::uint32_t{1});
  record.Put(at + offsetof(Cooler, controlType), std::uint32_t{1});
  record.Put(at + offsetof(Cooler, active), std::uint32_t{1});
  record.Put(at + offsetof(Cooler, speedRpm), ClampU32(gate.Take(kFans[k].rpm)));
  record.Put(at + offsetof(Cooler, tachometerValid), tachometer);
}

void WriteFan(CallGate& gate, RecordWriter& record, std::size_t k) {
  using Fan = FanStatus::Fan;
  const std::size_t at = offsetof(FanStatus, fan) + k * sizeof(Fan);
  if (!record.Fits(at, sizeof(Fan))) return;
  record.Put(at + offsetof(Fan, coolerId), static_cast<std::uint32_t>(k + 1));
  record.Put(at + offsetof(Fan, speedRpm), ClampU32(gate.Take(kFans[k].rpm)));
  record.Put(at + offsetof(Fan, minLevel), std::uint32_t{0});
  record.Put(at + offsetof(Fan, maxLevel), std::uint32_t{100});
  record.Put(at + offsetof(Fan, level), ClampU32(gate.Take(kFans[k].level)));
}

}  // namespace

NvAPI_Status GetCoolerSettings(NvPhysicalGpuHandle gpu, std::uint32_t index, Coolers* coolers) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetCoolerSettings, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (coolers == nullptr) return nvapi::kInvalidArgument;
    const GpuSetup& setup = gate.Gpu();
    if (!Answers(setup, FanPath::kCooler)) return nvapi::kNotSupported;
    if (!AcceptsVersion(setup, Query::kCooler, coolers->version)) {
      return nvapi::kIncompatibleStructVersion;
    }
    if (index != 0 && index != kCoolerTargetAll) return nvapi::kInvalidArgument;
    RecordWriter record = WriterFor(coolers);
    record.Put(offsetof(Coolers, count), setup.quirks.coolerCount.value_or(setup.fanCount));
    for (std::size_t k = 0; k < setup.fanCount; ++k) WriteCooler(gate, record, k);
    return nvapi::kOk;
  });
}

NvAPI_Status GetFanCoolerStatus(NvPhysicalGpuHandle gpu, FanStatus* status) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetFanCoolerStatus, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (status == nullptr) return nvapi::kInvalidArgument;
    const GpuSetup& setup = gate.Gpu();
    if (!Answers(setup, FanPath::kFanCoolerStatus)) return nvapi::kNotSupported;
    if (!AcceptsVersion(setup, Query::kFanCooler, status->version)) {
      return nvapi::kIncompatibleStructVersion;
    }
    RecordWriter record = WriterFor(status);
    const std::uint32_t count = setup.quirks.fanCoolerCount.value_or(setup.fanCount);
    record.Put(offsetof(FanStatus, count), static_cast<std::uint8_t>(count));
    for (std::size_t k = 0; k < setup.fanCount; ++k) WriteFan(gate, record, k);
    return nvapi::kOk;
  });
}

}  // namespace sim
