// The composed window of one paint: a top-down 32-bit DIB section selected into a memory
// drawing context, seen by the software painter as a canvas and by GDI for text and the final
// copy. Released when it goes out of scope.
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
  HDC Context() const { return context_; }

 private:
  HDC context_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Canvas> canvas_;
};

}  // namespace display
