#include "screenshot/window_capture_win32.h"

#include <cstdint>

#include "platform/write_gate.h"
#include "screenshot/bmp_file.h"

namespace screenshot {
namespace {

// A memory drawing context with a 24-bit bottom-up DIB section selected, released with it.
class CaptureSurface {
 public:
  CaptureSurface(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom row first, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    context_ = CreateCompatibleDC(nullptr);
    if (context_ == nullptr) return;
    bitmap_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_ != nullptr) previous_ = SelectObject(context_, bitmap_);
  }
  ~CaptureSurface() {
    if (previous_ != nullptr) SelectObject(context_, previous_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (context_ != nullptr) DeleteDC(context_);
  }
  CaptureSurface(const CaptureSurface&) = delete;
  CaptureSurface& operator=(const CaptureSurface&) = delete;

  bool Valid() const { return bitmap_ != nullptr && bits_ != nullptr; }
  HDC Context() const { return context_; }
  std::uint8_t* Bits() const { return static_cast<std::uint8_t*>(bits_); }

 private:
  HDC context_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

bool CaptureWindow(HWND window, const char* path) {
  ShowWindow(window, SW_RESTORE);
  Sleep(1);
  RECT outer = {};
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  if (width <= 0 || height <= 0) return false;
  CaptureSurface surface(width, height);
  if (!surface.Valid()) return false;
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  PrintWindow(window, surface.Context(), 0);
  GdiFlush();
  const platform::GatedWrite write(platform::ProcessWriteGate());
  if (!write.Open()) return false;  // the program is closing
  StdioBmpSink sink;
  return WriteBmpFile(sink, path, width, height, surface.Bits());
}

}  // namespace screenshot
