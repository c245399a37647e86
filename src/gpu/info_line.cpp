#include "gpu/info_line.h"

#include <cstring>
#include <type_traits>

#include "gpu/bounded_text.h"

namespace gpu {
namespace {

constexpr const char* kNoName = "---";

// The selected slot when it is one in use, otherwise -1.
int SelectedSlotInUse(const SlotTable& table) {
  const int count = table.gpuCount.Load();
  const int slot = table.selectedSlot.Load();
  const int inUse = count < kMaxGpus ? count : kMaxGpus;
  return slot >= 0 && slot < inUse ? slot : -1;
}

// Stores `value` in `field`; true when that changed what the field held.
template <typename T>
bool Keep(Shared<T>& field, std::type_identity_t<T> value) {
  if (field.Load() == value) return false;
  field.Store(value);
  return true;
}

// True when the kept name or its flag changed.
bool KeepName(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, InfoFacts& facts) {
  // The driver fills all 64 bytes; a name without a terminator is taken as 64 characters.
  char name[nvapi::kShortStringSize] = {};
  const bool read = nvapi.NvAPI_GPU_GetFullName(gpu, name) == nvapi::kOk;
  bool changed = false;
  if (read) {
    char kept[nvapi::kShortStringSize + 1] = {};
    std::memcpy(kept, name, sizeof name);
    char before[nvapi::kShortStringSize + 1] = {};
    facts.name.Load(before);
    changed = std::strcmp(before, kept) != 0;
    if (changed) facts.name.Store(kept);
  }
  return Keep(facts.hasName, read ? 1 : 0) || changed;
}

// True when a kept count or its flag changed.
bool KeepCoreCounts(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, InfoFacts& facts) {
  std::uint32_t cudaCores = 0;
  const bool cuda = nvapi.NvAPI_GPU_GetGpuCoreCount(gpu, &cudaCores) == nvapi::kOk;
  bool changed = cuda && Keep(facts.cudaCores, cudaCores);
  changed = Keep(facts.hasCudaCores, cuda ? 1 : 0) || changed;
  nvapi::NvGpuCoreCounts counts = {};
  counts.version = nvapi::kGpuCoreCountsV2;
  const bool others = nvapi.QueryCoreCounts(gpu, &counts) == nvapi::kOk;
  if (others) {
    changed = Keep(facts.rtCores, counts.rtCoreCount) || changed;
    changed = Keep(facts.tensorCores, counts.tensorCoreCount) || changed;
  }
  return Keep(facts.hasCoreCounts, others ? 1 : 0) || changed;
}

// The detail-mode tail; nothing at all when the CUDA core count could not be had, and "---"
// for both others when the driver does not give them.
void AppendCoreCounts(const InfoFacts& facts, BoundedText& text) {
  if (facts.hasCudaCores.Load() == 0) return;
  text.Append(" (CUDA Core: ");
  text.AppendDecimal(facts.cudaCores.Load());
  text.Append(" / RT Core: ");
  if (facts.hasCoreCounts.Load() == 0) {
    text.Append("--- / Tensore Core: ---)");
    return;
  }
  text.AppendDecimal(facts.rtCores.Load());
  text.Append(" / Tensore Core: ");
  text.AppendDecimal(facts.tensorCores.Load());
  text.Append(")");
}

}  // namespace

bool RefreshInfoFacts(Vendor& vendor, SlotTable& table, int slot) {
  if (slot < 0 || slot >= kMaxGpus) return false;
  const auto index = static_cast<std::size_t>(slot);
  const NvPhysicalGpuHandle gpu = table.HandleOf(table.slots[index]);
  InfoFacts& facts = table.infoFacts[index];
  const bool name = KeepName(vendor.nvapi, gpu, facts);
  // The counts are shown only in detail mode: a driver is not asked for them otherwise.
  return (table.detailMode.Load() != 0 && KeepCoreCounts(vendor.nvapi, gpu, facts)) || name;
}

bool RefreshShownInfoFacts(Vendor& vendor, SlotTable& table) {
  const int slot = SelectedSlotInUse(table);
  return slot >= 0 && RefreshInfoFacts(vendor, table, slot);
}

void BuildInfoLine(SlotTable& table, char (&line)[kInfoLineSize]) {
  table.infoLine.Store("");
  BoundedText text(line);
  const int slot = SelectedSlotInUse(table);
  const InfoFacts* facts = slot < 0 ? nullptr : &table.infoFacts[static_cast<std::size_t>(slot)];
  if (facts == nullptr || facts->hasName.Load() == 0) {
    text.Append(kNoName);
    return;
  }
  char name[nvapi::kShortStringSize + 1] = {};
  facts->name.Load(name);
  text.Append(name, nvapi::kShortStringSize);
  if (table.detailMode.Load() != 0) AppendCoreCounts(*facts, text);
  table.infoLine.Store(line);
}

}  // namespace gpu
