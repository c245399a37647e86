#include "gpu/info_line.h"

#include <cstring>

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

void KeepName(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, InfoFacts& facts) {
  // The driver fills all 64 bytes; a name without a terminator is taken as 64 characters.
  char name[nvapi::kShortStringSize] = {};
  const bool read = nvapi.NvAPI_GPU_GetFullName(gpu, name) == nvapi::kOk;
  if (read) {
    char kept[nvapi::kShortStringSize + 1] = {};
    std::memcpy(kept, name, sizeof name);
    facts.name.Store(kept);
  }
  facts.hasName.Store(read ? 1 : 0);
}

void KeepCoreCounts(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, InfoFacts& facts) {
  std::uint32_t cudaCores = 0;
  const bool cuda = nvapi.NvAPI_GPU_GetGpuCoreCount(gpu, &cudaCores) == nvapi::kOk;
  if (cuda) facts.cudaCores.Store(cudaCores);
  facts.hasCudaCores.Store(cuda ? 1 : 0);
  nvapi::NvGpuCoreCounts counts = {};
  counts.version = nvapi::kGpuCoreCountsV2;
  const bool others = nvapi.QueryCoreCounts(gpu, &counts) == nvapi::kOk;
  if (others) {
    facts.rtCores.Store(counts.rtCoreCount);
    facts.tensorCores.Store(counts.tensorCoreCount);
  }
  facts.hasCoreCounts.Store(others ? 1 : 0);
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

void RefreshInfoFacts(Vendor& vendor, SlotTable& table, int slot) {
  if (slot < 0 || slot >= kMaxGpus) return;
  const auto index = static_cast<std::size_t>(slot);
  const NvPhysicalGpuHandle gpu = table.HandleOf(table.slots[index]);
  KeepName(vendor.nvapi, gpu, table.infoFacts[index]);
  KeepCoreCounts(vendor.nvapi, gpu, table.infoFacts[index]);
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
