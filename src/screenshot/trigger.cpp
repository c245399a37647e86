#include "screenshot/trigger.h"

namespace screenshot {
namespace {

constexpr std::wstring_view kCelsiusSuffix = L" \u2103";

}  // namespace

std::wstring TriggerText(int index) {
  return std::to_wstring(TriggerOfIndex(index)) + std::wstring(kCelsiusSuffix);
}

std::int32_t TriggerOfIndex(int index) {
  return kLowestTrigger + index;
}

std::optional<std::int32_t> ParseTrigger(std::wstring_view text) {
  if (text.ends_with(kCelsiusSuffix)) text.remove_suffix(kCelsiusSuffix.size());
  if (text.empty() || text.size() > 3) return std::nullopt;
  std::int32_t degrees = 0;
  for (const wchar_t digit : text) {
    if (digit < L'0' || digit > L'9') return std::nullopt;
    degrees = degrees * 10 + (digit - L'0');
  }
  if (degrees < kLowestTrigger || degrees > kHighestTrigger) return std::nullopt;
  return degrees;
}

gpu::I32& ProcessTriggerTemperature() {
  static gpu::I32 trigger{TriggerOfIndex(kDefaultTriggerIndex)};
  return trigger;
}

bool TriggerReached(const gpu::SlotTable& table, std::int32_t trigger) {
  const int slot = table.selectedSlot.Load();
  if (slot < 0 || slot >= gpu::kMaxGpus) return false;
  return table.slots[static_cast<std::size_t>(slot)].temperature.Load() >= trigger;
}

}  // namespace screenshot
