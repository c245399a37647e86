#include "display/back_buffer_win32.h"

#include "display/dib_section_win32.h"

namespace display {

BackBuffer::BackBuffer(HDC reference, int width, int height) : width_(width), height_(height) {
  void* bits = nullptr;
  bitmap_ = CreateTopDownSection(reference, width, height, &bits);
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
