#include "gpu/gpu_names.h"

#include "gpu/discovery_texts.h"

namespace gpu {

static_assert(kMaxNameCharacters < kNameBufferLength);

std::size_t WidenGpuName(const char (&ansi)[nvapi::kShortStringSize],
                         wchar_t (&wide)[kNameBufferLength]) {
  std::size_t length = 0;
  while (length < kMaxNameCharacters && length < nvapi::kShortStringSize && ansi[length] != '\0') {
    wide[length] = static_cast<wchar_t>(static_cast<unsigned char>(ansi[length]));
    ++length;
  }
  wide[length] = L'\0';
  return length;
}

bool ReadGpuName(Vendor& vendor, SlotTable& table, std::uint32_t slot, std::uint32_t handleIndex) {
  if (slot >= table.slots.size() || handleIndex >= table.gpuHandles.size()) return false;
  char ansi[nvapi::kShortStringSize] = {};
  if (vendor.nvapi.NvAPI_GPU_GetFullName(table.gpuHandles[handleIndex], ansi) != nvapi::kOk) {
    return false;
  }
  WidenGpuName(ansi, table.nameBuffers[handleIndex]);
  table.slots[slot].gpuName.Store(table.nameBuffers[handleIndex]);
  return true;
}

bool ReadGpuNames(Vendor& vendor, SlotTable& table, MessageSink& messages) {
  for (std::int32_t s = 0; s < table.gpuCount.Load(); ++s) {
    if (s == kMaxGpus) {
      table.gpuCount.Store(kMaxGpus);
      messages.Show(kTooManyGpusText);
      break;
    }
    const auto slot = static_cast<std::uint32_t>(s);
    if (!ReadGpuName(vendor, table, slot, table.slots[slot].handleIndex.Load())) return false;
  }
  return true;
}

}  // namespace gpu
