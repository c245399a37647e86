// What a GPU is: bus number, name, PCI identifiers, core counts, connected displays.
#include <algorithm>
#include <cstring>

#include "call_gate.h"
#include "no_throw.h"
#include "nvapi_functions.h"
#include "versioned.h"

namespace sim {
namespace {

using nvapi::kError;

// One 32-bit identity value of a known GPU.
template <typename Field>
NvAPI_Status PutValue(Fn fn, NvPhysicalGpuHandle gpu, std::uint32_t* out, Field field) {
  CallGate gate(fn, Subject::kNvapiHandle, RawHandle(gpu));
  if (gate.Status() != nvapi::kOk) return gate.Status();
  if (out == nullptr) return nvapi::kInvalidArgument;
  *out = field(gate.Gpu());
  return nvapi::kOk;
}

void WriteName(const GpuSetup& gpu, char* name) {
  std::memset(name, 0, nvapi::kShortStringSize);
  const std::size_t length = std::min(gpu.name.size(), std::size_t{nvapi::kShortStringSize - 1});
  std::memcpy(name, gpu.name.data(), length);
  if (gpu.quirks.nameUnterminated) {
    std::fill(name + length, name + nvapi::kShortStringSize, 'X');
  }
}

NvAPI_Status FillDisplays(CallGate& gate, nvapi::NV_GPU_DISPLAYIDS* displays,
                          std::uint32_t* count) {
  const GpuSetup& setup = gate.Gpu();
  const std::uint32_t reported =
      setup.quirks.displayCount.value_or(static_cast<std::uint32_t>(setup.displays.size()));
  if (displays == nullptr) {
    *count = reported;
    return nvapi::kOk;
  }
  const std::size_t filled = std::min<std::size_t>(*count, setup.displays.size());
  for (std::size_t k = 0; k < filled; ++k) {
    if (!AcceptsVersion(setup, Query::kDisplayIds, displays[k].version)) {
      return nvapi::kIncompatibleStructVersion;
    }
  }
  for (std::size_t k = 0; k < filled; ++k) {
    RecordWriter entry = WriterFor(&displays[k]);
    entry.Put(offsetof(nvapi::NV_GPU_DISPLAYIDS, connectorType), setup.displays[k].connector);
    entry.Put(offsetof(nvapi::NV_GPU_DISPLAYIDS, displayId), setup.displays[k].displayId);
    entry.Put(offsetof(nvapi::NV_GPU_DISPLAYIDS, flags), std::uint32_t{0});
  }
  *count = reported;
  return nvapi::kOk;
}

}  // namespace

NvAPI_Status NvAPI_GPU_GetBusId(NvPhysicalGpuHandle gpu, std::uint32_t* bus) {
  return NoThrow(kError, [&] {
    return PutValue(Fn::kGetBusId, gpu, bus, [](const GpuSetup& setup) { return setup.bus; });
  });
}

NvAPI_Status NvAPI_GPU_GetGpuCoreCount(NvPhysicalGpuHandle gpu, std::uint32_t* count) {
  return NoThrow(kError, [&] {
    return PutValue(Fn::kGetGpuCoreCount, gpu, count,
                    [](const GpuSetup& setup) { return setup.cudaCores; });
  });
}

NvAPI_Status NvAPI_GPU_GetFullName(NvPhysicalGpuHandle gpu, char name[nvapi::kShortStringSize]) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetFullName, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (name == nullptr) return nvapi::kInvalidArgument;
    WriteName(gate.Gpu(), name);
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetPCIIdentifiers(NvPhysicalGpuHandle gpu, std::uint32_t* deviceId,
                                         std::uint32_t* subSystemId, std::uint32_t* revisionId,
                                         std::uint32_t* extDeviceId) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetPciIdentifiers, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (!deviceId || !subSystemId || !revisionId || !extDeviceId) {
      return nvapi::kInvalidArgument;
    }
    const std::array<std::uint32_t, 4>& pci = gate.Gpu().pci;
    *deviceId = pci[0];
    *subSystemId = pci[1];
    *revisionId = pci[2];
    *extDeviceId = pci[3];
    return nvapi::kOk;
  });
}

NvAPI_Status GetCoreCounts(NvPhysicalGpuHandle gpu, nvapi::NvGpuCoreCounts* counts) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetCoreCounts, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (counts == nullptr) return nvapi::kInvalidArgument;
    if (!AcceptsVersion(gate.Gpu(), Query::kCoreCounts, counts->version)) {
      return nvapi::kIncompatibleStructVersion;
    }
    RecordWriter record = WriterFor(counts);
    record.Put(offsetof(nvapi::NvGpuCoreCounts, rtCoreCount), gate.Gpu().rtCores);
    record.Put(offsetof(nvapi::NvGpuCoreCounts, tensorCoreCount), gate.Gpu().tensorCores);
    return nvapi::kOk;
  });
}

NvAPI_Status NvAPI_GPU_GetConnectedDisplayIds(NvPhysicalGpuHandle gpu,
                                              nvapi::NV_GPU_DISPLAYIDS* displays,
                                              std::uint32_t* count, std::uint32_t) {
  return NoThrow(kError, [&] {
    CallGate gate(Fn::kGetConnectedDisplayIds, Subject::kNvapiHandle, RawHandle(gpu));
    if (gate.Status() != nvapi::kOk) return gate.Status();
    if (count == nullptr) return nvapi::kInvalidArgument;
    return FillDisplays(gate, displays, count);
  });
}

}  // namespace sim
