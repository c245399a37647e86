// The composed window: a top-down 32-bit DIB section selected into a memory drawing context,
// seen by the software painter as a canvas and by GDI for text and the final copy. Made white;
// released when it goes out of scope.
#pragma once

#include <windows.h>

#include <memory>

#include "display/canvas.h"

namespace display {

class BackBuffer {
 public:
  BackBuffer(HDC reference, int width, int height);
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  Canvas& Pixels() { return *canvas_; }
  // True when it was made for a window of this size and its memory could be had.
  bool Fits(int width, int height) const {
    return width == width_ && height == height_ && canvas_->Width() == width;
  }
  HDC Context() const { return context_; }

 private:
  int width_, height_;
  HDC context_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Canvas> canvas_;
};

}  // namespace display
