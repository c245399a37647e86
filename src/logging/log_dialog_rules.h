// The decisions of the log settings dialog: the GPU captions, the six intervals, and what a
// press of "CSV出力" stores and answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"
#include "logging/log_settings.h"

namespace logging {

inline constexpr std::size_t kLogCaptionSize = 50;  // 49 bytes and the terminator

struct IntervalEntry {
  const wchar_t* text;
  std::int32_t milliseconds;
};
inline constexpr std::array<IntervalEntry, 6> kIntervals = {{
    {L"1秒", 1000},
    {L"2秒", 2000},
    {L"5秒", 5000},
    {L"10秒", 10000},
    {L"30秒", 30000},
    {L"1分", 60000},
}};

// The entry whose text equals `text` exactly, or -1.
int IntervalIndexOf(std::wstring_view text);

// The caption of GPU `slot`'s box: its name, then " (0x%08lX)" with the bus number in detail
// mode (nothing when the bus cannot be read), otherwise "(k)" when there are several GPUs; cut
// at 49 bytes, never inside a character.
void BuildLogGpuCaption(gpu::Vendor& vendor, const gpu::SlotTable& table, int slot,
                        char (&caption)[kLogCaptionSize]);

// The dialog's boxes and interval at a press of "CSV出力".
struct LogDialogChoice {
  std::array<bool, gpu::kMaxGpus> gpus{};
  std::array<bool, kLogItemCount> items{};
  int intervalIndex = -1;  // the selected entry, -1 for none
};

inline constexpr const wchar_t* kNoGpuCheckedText = L"GPUに1つもチェックが入っていません\n";
inline constexpr const wchar_t* kNoItemCheckedText = L"項目に1つもチェックが入っていません";

// Stores the flags (at every press) and the interval of the selected entry (kept when there is
// none); the message to show when the choice is refused, empty when it is accepted.
std::wstring StoreLogChoice(LogSettings& settings, const LogDialogChoice& choice);

}  // namespace logging
