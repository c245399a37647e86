// The information line: the caption of the group box around the information panel. It names
// the GPU of the selected slot and, in detail mode, its CUDA, RT and tensor core counts, from
// fresh driver queries.
#pragma once

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// Composes the line for `selectedSlot` into `line` (at most 127 characters and the terminator)
// for the window glue to put on the group box. `infoLine` is cleared first and then holds the
// composed line; when the slot is not in use or the name cannot be had, `line` is "---" and
// `infoLine` stays empty.
void BuildInfoLine(Vendor& vendor, SlotTable& table, char (&line)[kInfoLineSize]);

}  // namespace gpu
