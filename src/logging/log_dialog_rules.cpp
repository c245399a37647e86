#include "logging/log_dialog_rules.h"

#include "gpu/bounded_text.h"
#include "logging/narrow_name.h"

namespace logging {
namespace {

template <std::size_t Size>
bool StoreFlags(std::array<gpu::Flag, Size>& flags, const std::array<bool, Size>& checked) {
  bool any = false;
  for (std::size_t i = 0; i < Size; ++i) {
    flags[i].Store(checked[i] ? 1 : 0);
    any = any || checked[i];
  }
  return any;
}

}  // namespace

int IntervalIndexOf(std::wstring_view text) {
  for (std::size_t i = 0; i < kIntervals.size(); ++i) {
    if (text == kIntervals[i].text) return static_cast<int>(i);
  }
  return -1;
}

void BuildLogGpuCaption(gpu::Vendor& vendor, const gpu::SlotTable& table, int slot,
                        char (&caption)[kLogCaptionSize]) {
  gpu::BoundedText text(caption);
  if (slot < 0 || slot >= gpu::kMaxGpus) return;
  const gpu::GpuSlot& record = table.slots[static_cast<std::size_t>(slot)];
  text.Append(NarrowName(record.gpuName.Load(), gpu::kNameBufferLength, text.Room()).c_str());
  if (table.detailMode.Load() != 0) {
    std::uint32_t bus = 0;
    if (vendor.nvapi.NvAPI_GPU_GetBusId(table.HandleOf(record), &bus) != nvapi::kOk) return;
    text.Append(" (");
    text.AppendHex8(bus);
    text.Append(")");
  } else if (table.gpuCount.Load() > 1) {
    text.Append("(");
    text.AppendDecimal(static_cast<std::uint32_t>(slot + 1));
    text.Append(")");
  }
}

std::wstring StoreLogChoice(LogSettings& settings, const LogDialogChoice& choice) {
  std::wstring message;
  if (!StoreFlags(settings.gpuEnabled, choice.gpus)) message += kNoGpuCheckedText;
  if (!StoreFlags(settings.itemEnabled, choice.items)) message += kNoItemCheckedText;
  const int index = choice.intervalIndex;
  if (index >= 0 && index < static_cast<int>(kIntervals.size())) {
    settings.intervalMs.Store(kIntervals[static_cast<std::size_t>(index)].milliseconds);
  }
  return message;
}

}  // namespace logging
