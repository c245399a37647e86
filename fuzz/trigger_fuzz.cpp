// Any bytes as typed trigger text, read twice: byte pairs as UTF-16 units (so that " ℃" can be
// typed) and every byte as a character. A value is accepted only from 38 to 100, only for
// digits alone or followed by one " ℃", and only as the number those digits write; the number
// of each choice, written plainly or as its list text, is always accepted.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/wide_inputs.h"
#include "screenshot/trigger.h"

namespace {

constexpr std::wstring_view kSuffix = L" \u2103";

void Check(std::wstring_view text) {
  const std::optional<std::int32_t> degrees = screenshot::ParseTrigger(text);
  std::wstring_view digits = text;
  if (digits.ends_with(kSuffix)) digits.remove_suffix(kSuffix.size());
  if (degrees) {
    if (*degrees < screenshot::kLowestTrigger || *degrees > screenshot::kHighestTrigger) {
      __builtin_trap();
    }
    std::int64_t written = 0;
    for (const wchar_t c : digits) {
      if (c < L'0' || c > L'9') __builtin_trap();
      written = written * 10 + (c - L'0');
    }
    if (digits.empty() || written != *degrees) __builtin_trap();
  }
  for (int index = 0; index < screenshot::kTriggerChoices; ++index) {
    const std::int32_t value = screenshot::TriggerOfIndex(index);
    if (digits == std::to_wstring(value) && degrees != value) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (int index = 0; index < screenshot::kTriggerChoices; ++index) {
    const std::int32_t value = screenshot::TriggerOfIndex(index);
    if (value != screenshot::kLowestTrigger + index) __builtin_trap();
    if (screenshot::ParseTrigger(screenshot::TriggerText(index)) != value) __builtin_trap();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckBothReadings(data, size, [](const std::wstring& text) { Check(text); });
  return 0;
}
