#include "screenshot/window_capture_win32.h"

#include <cstdint>
#include <memory>

#include "screenshot/capture_steps.h"

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

// The main window as the capture reaches it from the screenshot thread; the window's own thread
// paints while this one waits in the calls.
class Win32PrintedWindow final : public PrintedWindow {
 public:
  explicit Win32PrintedWindow(HWND window) : window_(window) {}
  void Restore() override {
    ShowWindow(window_, SW_RESTORE);
    Sleep(1);
  }
  void OuterSize(std::int32_t& width, std::int32_t& height) override {
    RECT outer = {};
    GetWindowRect(window_, &outer);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;
  }
  std::uint8_t* Print(std::int32_t width, std::int32_t height) override {
    surface_.reset();  // the old surface goes before the new one is made
    surface_ = std::make_unique<CaptureSurface>(width, height);
    if (!surface_->Valid()) return nullptr;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
    const BOOL printed = PrintWindow(window_, surface_->Context(), 0);
    GdiFlush();
    return printed ? surface_->Bits() : nullptr;
  }

 private:
  HWND window_;
  std::unique_ptr<CaptureSurface> surface_;
};

}  // namespace

bool CaptureWindow(HWND window, const char* path) {
  Win32PrintedWindow printed(window);
  FileBmpSink sink;
  return CapturePicture(printed, sink, platform::ProcessWriteGate(), path);
}

}  // namespace screenshot
