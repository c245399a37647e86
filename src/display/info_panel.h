// The information panel below the graphs: two columns of eight rows, each a fixed label and the
// selected GPU's current value, or "No Support" where the GPU has not provided the reading.
#pragma once

#include "display/canvas.h"
#include "display/text_renderer.h"
#include "gpu/gpu_slots.h"

namespace display {

// Fills `panel` of `backBuffer` white and writes every label and value at the panel's origin
// plus its place, black, in the UI font, clipped to the panel. Every text is narrow ASCII except
// the temperature value (or its "No Support"), which is wide for the sign U+2103. A negative
// temperature is written with a leading "-".
void PaintInfoPanel(Canvas& backBuffer, const Area& panel, const gpu::GpuSlot& slot,
                    TextRenderer& text);

}  // namespace display
