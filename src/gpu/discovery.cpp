#include "gpu/discovery.h"

#include "gpu/discovery_texts.h"

namespace gpu {

std::wstring DiscoveryResult::FailureText() const {
  switch (outcome) {
    case DiscoveryOutcome::kNvapiFailed:
      return NvapiFailureText(status);
    case DiscoveryOutcome::kNameUnreadable:
      return kGpuNameFailedText;
    case DiscoveryOutcome::kReady:
      break;
  }
  return {};
}

DiscoveryResult DiscoverGpus(Vendor& vendor, SlotTable& table, std::wstring_view systemRoot,
                             MessageSink& messages) {
  ResetSlots(table);
  const NvAPI_Status status = EnumerateGpus(vendor, table);
  if (status != nvapi::kOk) return {DiscoveryOutcome::kNvapiFailed, status};
  LoadNvml(vendor, systemRoot, messages);
  OrderSlotsByBus(vendor, table);
  if (!ReadGpuNames(vendor, table, messages)) return {DiscoveryOutcome::kNameUnreadable, status};
  SeedFixedClocks(vendor, table);
  ProbeStructureVersions(vendor, table);
  return {DiscoveryOutcome::kReady, status};
}

}  // namespace gpu
