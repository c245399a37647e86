// The information line: the caption of the group box around the information panel. It names
// the GPU of the selected slot and, in detail mode, its CUDA, RT and tensor core counts. The
// driver is asked by `RefreshInfoFacts` (start-up, for every GPU's name) and by
// `RefreshShownInfoFacts` (every sampling cycle, for what the line shows); the line itself is
// composed from what was kept, so that a driver call that hangs never holds up the window.
#pragma once

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// Asks the driver for the name of the GPU in slot `slot` and, while detail mode is on, for its
// core counts, and keeps the answers, failures included, in `infoFacts`. True when what is kept
// changed.
bool RefreshInfoFacts(Vendor& vendor, SlotTable& table, int slot);

// `RefreshInfoFacts` for the selected slot when it is one in use; true when what is kept changed,
// so that the line should be composed and shown again.
bool RefreshShownInfoFacts(Vendor& vendor, SlotTable& table);

// Composes the line for `selectedSlot` into `line` (at most 127 characters and the terminator)
// for the window glue to put on the group box whole. `infoLine` is cleared first and then holds
// the composed line; when the slot is not in use or the name could not be had, `line` is "---"
// and `infoLine` stays empty.
void BuildInfoLine(SlotTable& table, char (&line)[kInfoLineSize]);

}  // namespace gpu
