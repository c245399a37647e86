#include "gpu/display_gpu.h"

#include <algorithm>
#include <array>

#include "gpu/discovery_counts.h"

namespace gpu {
namespace {

using DisplayEntries = std::array<nvapi::NV_GPU_DISPLAYIDS, kMaxConnectedDisplays>;

enum class SlotAnswer { kMatch, kNoMatch, kFailed };

// The number of connected displays, within the bound, or nothing when the query fails.
bool CountDisplays(Vendor& vendor, NvPhysicalGpuHandle gpu, std::uint32_t& count) {
  count = 0;
  if (vendor.nvapi.NvAPI_GPU_GetConnectedDisplayIds(gpu, nullptr, &count, 0) != nvapi::kOk) {
    return false;
  }
  count = std::min(count, kMaxConnectedDisplays);
  return true;
}

// Fills `count` entries; on success `count` becomes the number the driver says it filled, never
// more than it was given.
bool FillDisplays(Vendor& vendor, NvPhysicalGpuHandle gpu, DisplayEntries& entries,
                  std::uint32_t& count) {
  for (std::uint32_t i = 0; i < count; ++i) entries[i].version = nvapi::kDisplayIdsV3;
  std::uint32_t filled = count;
  if (vendor.nvapi.NvAPI_GPU_GetConnectedDisplayIds(gpu, entries.data(), &filled, 0) !=
      nvapi::kOk) {
    return false;
  }
  count = std::min(filled, count);
  return true;
}

SlotAnswer AskSlot(Vendor& vendor, NvPhysicalGpuHandle gpu) {
  std::uint32_t count = 0;
  if (!CountDisplays(vendor, gpu, count)) return SlotAnswer::kFailed;
  if (count == 0) return SlotAnswer::kNoMatch;
  DisplayEntries entries{};
  if (!FillDisplays(vendor, gpu, entries, count)) return SlotAnswer::kFailed;
  std::uint32_t wanted = 0;
  vendor.nvapi.QueryDisplayId(&wanted);  // its status does not matter: 0 stays the id then
  const auto end = entries.begin() + count;
  const bool found = std::any_of(entries.begin(), end,
                                 [wanted](const auto& entry) { return entry.displayId == wanted; });
  return found ? SlotAnswer::kMatch : SlotAnswer::kNoMatch;
}

}  // namespace

std::int32_t FindDisplayGpu(Vendor& vendor, const SlotTable& table) {
  const std::uint32_t slots = SlotsInUse(table);
  for (std::uint32_t s = 0; s < slots; ++s) {
    const SlotAnswer answer = AskSlot(vendor, table.HandleOf(table.slots[s]));
    if (answer == SlotAnswer::kMatch) return static_cast<std::int32_t>(s);
    if (answer == SlotAnswer::kFailed) break;
  }
  return kNoDisplayGpu;
}

}  // namespace gpu
