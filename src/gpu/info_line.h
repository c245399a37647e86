// The information line: the caption of the group box around the information panel. It names
// the GPU of the selected slot and, in detail mode, its CUDA, RT and tensor core counts. The
// driver is asked by `RefreshInfoFacts` (start-up and every sampling cycle); the line itself is
// composed from what was kept, so that a driver call that hangs never holds up the window.
#pragma once

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// Asks the driver for the name and the core counts of the GPU in slot `slot` and keeps the
// answers, failures included, in `infoFacts`.
void RefreshInfoFacts(Vendor& vendor, SlotTable& table, int slot);

// Composes the line for `selectedSlot` into `line` (at most 127 characters and the terminator)
// for the window glue to put on the group box whole. `infoLine` is cleared first and then holds
// the composed line; when the slot is not in use or the name could not be had, `line` is "---"
// and `infoLine` stays empty.
void BuildInfoLine(SlotTable& table, char (&line)[kInfoLineSize]);

}  // namespace gpu
