#include "app/tab_labels.h"

#include "gpu/bounded_text.h"
#include "gpu/gpu_slots.h"

namespace app {

void BuildTabLabel(const wchar_t* name, int slot, int gpuCount, int displaySlot,
                   char (&label)[kTabLabelSize]) {
  gpu::BoundedText text(label);
  text.AppendNarrow(name);
  if (gpuCount >= 2) {  // every tab is numbered once there are several, the first included
    text.Append('(');
    text.AppendDecimal(static_cast<std::uint32_t>(slot + 1));
    text.Append(')');
  }
  if (gpuCount == 1 || slot == displaySlot) text.Append(" (UNKNOWN)");
}

int InitialSelectedSlot(int displaySlot, int gpuCount) {
  const bool inTable = displaySlot >= 0 && displaySlot < gpu::kMaxGpus && displaySlot < gpuCount;
  return inTable ? displaySlot : 0;
}

}  // namespace app
