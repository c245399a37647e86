// A top-down 32-bit DIB section: its 0x00RRGGBB words are the blue, green, red, unused bytes
// the bitmap holds, so the software painter and GDI see the same pixels.
#pragma once

#include <windows.h>

namespace display {

// Null when it cannot be made; `bits` then stays null.
HBITMAP CreateTopDownSection(HDC reference, int width, int height, void** bits);

}  // namespace display
