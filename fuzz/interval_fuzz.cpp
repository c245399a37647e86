// Any bytes as typed interval text, read twice: byte pairs as UTF-16 units (so that 秒 and 分
// can be typed) and every byte as a character. The answer is -1 exactly when no entry's text
// equals the input, otherwise the first entry whose text does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/wide_inputs.h"
#include "logging/log_dialog_rules.h"

namespace {

void Check(std::wstring_view text) {
  const int index = logging::IntervalIndexOf(text);
  int first = -1;
  for (std::size_t i = logging::kIntervals.size(); i-- > 0;) {
    if (text == std::wstring_view(logging::kIntervals[i].text)) first = static_cast<int>(i);
  }
  if (index != first) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckBothReadings(data, size, [](const std::wstring& text) { Check(text); });
  return 0;
}
