#include "display/dib_section_win32.h"

namespace display {

HBITMAP CreateTopDownSection(HDC reference, int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  return CreateDIBSection(reference, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace display
