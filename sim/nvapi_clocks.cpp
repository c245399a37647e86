// Clock frequencies of the four domains the program reads, P-state 0 clock entries, P-state.
#include <array>

#include "call_gate.h"
#include "no_throw.h"
#include "nvapi_functions.h"
#include "versioned.h"

namespace sim {
namespace {

using nvapi::kError;
using Clocks = nvapi::NV_GPU_CLOCK_FREQUENCIES;
using Pstates = nvapi::NV_GPU_PERF_PSTATES20_INFO;

struct Domain {
  std::uint32_t id;
  Reading current;  // base and boost follow at fixed distances in Reading
};

constexpr std::array<Domain, 4> kDomains{{
    {nvapi::kClockDomainGraphics, Reading::kClockGraphics},
    {nvapi::kClockDomainMemory, Reading::kClockMemory},
    {nvapi::kClockDomainProcessor, Reading::kClockProcessor},
    {nvapi::kClockDomainVideo, Reading::kClockVideo},
}};

constexpr std::size_t kBaseShift = Index(Reading::kBaseGraphics) - Index(Reading::kClockGraphics);
constexpr std::size_t kBoostShift = Index(Reading::kBoostGraphics) - Index(Reading::kClockGraphics);

Reading Shifted(Reading reading, std::size_t shift) {
  return static_cast<Reading>(Index(reading) + shift);
}

bool Present(CallGate& gate, Reading reading) {
  return gate.Gpu().readings[Index(reading)].kind != SignalKind::kNone;
}

void WriteDomains(CallGate& gate, std::size_t shift, RecordWriter& record) {
  for (std::size_t d = 0; d < 32; ++d) {
    const std::size_t at = offsetof(Clocks, domain) + d * sizeof(Clocks::Domain);
    record.Put(at, std::uint32_t{0});
    record.Put(at + 4, std::uint32_t{0});
  }
  for (const Domain& domain : kDomains) {
    const Reading reading = Shifted(domain.current, shift);
    if (!Present(gate, reading)) continue;
    const std::size_t at = offsetof(Clocks, domain) + domain.id * sizeof(Clocks::Domain);
    record.Put(at, std::uint32_t{1});
    record.Put(at + 4, ClampU32(gate.Take(reading)));
  }
}

// The over-clocking range every clock entry offers: the delta the user may add to the clock,
// from 250 MHz below to 1 GHz above, as on a board that is not locked.
constexpr std::int32_t kDeltaMinKHz = -250000;
constexpr std::int32_t kDeltaMaxKHz = 1000000;

// One clock entry of P-state 0: a single frequency, the base clock, in data[0]; beside it the
// delta range, which is no clock at all.
void WriteClockEntry(RecordWriter& record, std::size_t slot, std::uint32_t domain,
                     std::uint32_t baseKHz) {
  using Entry = Pstates::ClockEntry;
  const std::size_t at =
      offsetof(Pstates, pstates) + offsetof(Pstates::Pstate, clocks) + slot * sizeof(Entry);
  record.Put(at + offsetof(Entry, domainId), domain);
  record.Put(at + offsetof(Entry, typeId), std::uint32_t{0});
  record.Put(at + offsetof(Entry, flags), std::uint32_t{1});  // editable
  record.Put(at + offsetof(Entry, freqDeltaValueKHz), std::uint32_t{0});
  record.Put(at + offsetof(Entry, freqDeltaMinKHz), static_cast<std::uint32_t>(kDeltaMinKHz));
  record.Put(at + offsetof(Entry, freqDeltaMaxKHz), static_cast<std::uint32_t>(kDeltaMaxKHz));
  record.Put(at + offsetof(Entry, data), baseKHz);
}

void WritePstate0(CallGate& gate, RecordWriter& record) {
  std::uint32_t clocks = 0;
  for (const Domain& domain : kDomains) {
    const Reading base = Shifted(domain.current, kBaseShift);
    if (!Present(gate, base)) continue;
    WriteClockEntry(record, clocks++, domain.id, ClampU32(gate.Take(base)));
  }
  record.Put(offsetof(Pstates, flags), std::uint32_t{0});
  record.Put(offsetof(Pstates, numPstates), std::uint32_t{1});
  record.Put(offsetof(Pstates, numClocks), clocks);
  record.Put(offsetof(Pstates, numBaseVoltages), std::uint32_t{0});
  record.Put(offsetof(Pstates, pstates) + offsetof(Pstates::Pstate, pstateId), std::uint32_t{0});
  record.Put(offsetof(Pstates, pstates) + offsetof(Pstates::Pstate, flags), std::uint32_t{0});
}

}  // namespace

NvAPI_Status NvAPI_GPU_GetAllClockFrequencies(NvPhysicalGpuHandle gpu, Clocks* clocks) {
  return NoThrow(kError, [&] {
    const bool current =
        clocks != nullptr && (clocks->clockTypeBits & 0xFu) == nvapi::kClockTypeCurrent;
    CallGate gate(Fn::kGetAllClockFrequencies, Subject::kNvapiHandle, RawHandle(gpu), current);
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (clocks == nullptr) return nvapi::kInvalidArgument;
    if (!AcceptsVersion(gate.Gpu(), Query::kClocks, clocks->version)) {
      return nvapi::kIncompatibleStructVersion;
    }
    const std::uint32_t type = clocks->clockTypeBits & 0xFu;
    if (type > nvapi::kClockTypeBoost) return nvapi::kInvalidArgument;
    const std::size_t shifts[] = {0, kBaseShift, kBoostShift};
    RecordWriter record = WriterFor(clocks);
    WriteDomains(gate, shifts[type], record);
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetPstates20(NvPhysicalGpuHandle gpu, Pstates* pstates) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetPstates20, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (pstates == nullptr) return nvapi::kInvalidArgument;
    if (!AcceptsVersion(gate.Gpu(), Query::kPstates20, pstates->version)) {
      return nvapi::kIncompatibleStructVersion;
    }
    RecordWriter record = WriterFor(pstates);
    WritePstate0(gate, record);
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetCurrentPstate(NvPhysicalGpuHandle gpu, std::uint32_t* pstate) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetCurrentPstate, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (pstate == nullptr) return nvapi::kInvalidArgument;
    *pstate = ClampU32(gate.Take(Reading::kPstate));
    return nvapi::kOk;
  });
}

}  // namespace sim
