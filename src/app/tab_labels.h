// The tab labels shown from start-up until the sampling thread's first cycle rewrites them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace app {

inline constexpr std::size_t kTabLabelSize = 100;

// The label of tab `slot`: the GPU's name, its number in parentheses (for the first tab only
// when there are several GPUs), and " (UNKNOWN)" on the display GPU's tab or the only tab.
void BuildTabLabel(const wchar_t* name, int slot, int gpuCount, int displaySlot,
                   char (&label)[kTabLabelSize]);

// The slot whose tab is selected at start: the display GPU when it has a slot, else the first.
int InitialSelectedSlot(int displaySlot, int gpuCount);

}  // namespace app
