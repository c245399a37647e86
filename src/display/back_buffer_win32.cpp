#include "display/back_buffer_win32.h"

namespace display {

BackBuffer::BackBuffer(HDC reference, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  context_ = CreateCompatibleDC(reference);
  if (bitmap_ != nullptr && context_ != nullptr) previous_ = SelectObject(context_, bitmap_);
  // A failed allocation leaves an empty canvas: the paint then draws nothing.
  const bool usable = bits != nullptr && previous_ != nullptr;
  canvas_ = std::make_unique<Canvas>(usable ? width : 0, usable ? height : 0,
                                     static_cast<std::uint32_t*>(bits), width);
  canvas_->Fill({0, 0, width, height}, kWhite);
  canvas_->native = usable ? context_ : nullptr;
}

BackBuffer::~BackBuffer() {
  if (context_ != nullptr) {
    if (previous_ != nullptr) SelectObject(context_, previous_);
    DeleteDC(context_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

}  // namespace display
