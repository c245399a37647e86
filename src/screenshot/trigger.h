// The trigger temperature of a screenshot request: the dialog's 63 choices from 38 to 100 ℃,
// the rule for typed text, and the test of the selected GPU against it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gpu/gpu_slots.h"

namespace screenshot {

inline constexpr std::int32_t kLowestTrigger = 38;
inline constexpr std::int32_t kHighestTrigger = 100;
inline constexpr int kTriggerChoices = kHighestTrigger - kLowestTrigger + 1;
inline constexpr int kDefaultTriggerIndex = 42;  // 80 ℃

// Choice i is 38 + i degrees: its text is the number, a blank and U+2103, e.g. L"80 ℃".
std::wstring TriggerText(int index);
std::int32_t TriggerOfIndex(int index);

// Typed text that reads as a whole number of degrees from 38 to 100, alone or followed by " ℃";
// nothing for any other text.
std::optional<std::int32_t> ParseTrigger(std::wstring_view text);

// The trigger temperature chosen last; 80 until the dialog is first confirmed.
gpu::I32& ProcessTriggerTemperature();

// True when the GPU of `selectedSlot` reads the trigger or more.
bool TriggerReached(const gpu::SlotTable& table, std::int32_t trigger);

}  // namespace screenshot
