#include "gpu/info_line.h"

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

// " / RT Core: " is already there; the RT and tensor counts, or "---" for both when the
// driver does not give them, and the closing parenthesis.
void AppendRtAndTensorCores(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, BoundedText& text) {
  nvapi::NvGpuCoreCounts counts = {};
  counts.version = nvapi::kGpuCoreCountsV2;
  if (nvapi.QueryCoreCounts(gpu, &counts) != nvapi::kOk) {
    text.Append("--- / Tensore Core: ---)");
    return;
  }
  text.AppendDecimal(counts.rtCoreCount);
  text.Append(" / Tensore Core: ");
  text.AppendDecimal(counts.tensorCoreCount);
  text.Append(")");
}

// The detail-mode tail; nothing at all when the CUDA core count cannot be had.
void AppendCoreCounts(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, BoundedText& text) {
  std::uint32_t cudaCores = 0;
  if (nvapi.NvAPI_GPU_GetGpuCoreCount(gpu, &cudaCores) != nvapi::kOk) return;
  text.Append(" (CUDA Core: ");
  text.AppendDecimal(cudaCores);
  text.Append(" / RT Core: ");
  AppendRtAndTensorCores(nvapi, gpu, text);
}

}  // namespace

void BuildInfoLine(Vendor& vendor, SlotTable& table, char (&line)[kInfoLineSize]) {
  table.infoLine.Store("");
  BoundedText text(line);
  const int slot = SelectedSlotInUse(table);
  if (slot < 0) {
    text.Append(kNoName);
    return;
  }
  const NvPhysicalGpuHandle gpu = table.HandleOf(table.slots[static_cast<std::size_t>(slot)]);
  // The driver fills all 64 bytes; a name without a terminator is taken as 64 characters.
  char name[nvapi::kShortStringSize] = {};
  if (vendor.nvapi.NvAPI_GPU_GetFullName(gpu, name) != nvapi::kOk) {
    text.Append(kNoName);
    return;
  }
  text.Append(name, sizeof name);
  if (table.detailMode.Load() != 0) AppendCoreCounts(vendor.nvapi, gpu, text);
  table.infoLine.Store(line);
}

}  // namespace gpu
