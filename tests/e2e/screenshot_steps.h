// Steps of the screenshot tests: the way from a ticked "Screen Shot" box through the save dialog
// to the temperature dialog, the choice of a trigger, the picture file or the refusal that ends a
// request, and the picture compared with the window on the screen. Failed expectations are
// reported through GoogleTest; a returned null window means the test cannot go on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app_steps.h"
#include "driver/dib_surface.h"
#include "logging_steps.h"

namespace e2e {

// Reading the 24-bit picture file the program writes: its header fields, checked against the
// window size it must carry, and its pixels by window position.
class BmpImage {
 public:
  // The file's bytes; every read below stays inside them.
  explicit BmpImage(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t Size() const { return bytes_.size(); }
  // The little-endian value at `offset`; all ones when it lies outside the file.
  std::uint32_t U16(std::size_t offset) const {
    if (offset + 2 > bytes_.size()) return 0xFFFFFFFFu;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
    return static_cast<std::uint32_t>(b[0] | b[1] << 8);
  }
  std::uint32_t U32(std::size_t offset) const {
    if (offset + 4 > bytes_.size()) return 0xFFFFFFFFu;
    return U16(offset) | U16(offset + 2) << 16;
  }
  std::int32_t Width() const { return static_cast<std::int32_t>(U32(18)); }
  std::int32_t Height() const { return static_cast<std::int32_t>(U32(22)); }
  // Bytes per stored row: three per pixel, rounded up to a multiple of four.
  std::size_t Stride() const;
  // Pixel (x, y) of the window rectangle, counted from its top left, as 0x00RRGGBB; nothing
  // when it lies outside the picture or the file.
  std::optional<std::uint32_t> At(int x, int y) const;
  // True when every byte after the pixels of each row, up to the stride, is zero.
  bool PaddingIsZero() const;

 private:
  std::string bytes_;
};

// Every header field of a picture of `size` pixels, and a file of exactly that length.
void ExpectBmpLayout(const BmpImage& image, SIZE size);

inline constexpr const wchar_t* kShotDialogTitle = L"Screen Shot 設定";
inline constexpr const wchar_t* kBmpRefusedText = L"BMPファイルを保存できません";
inline constexpr const wchar_t* kPathHasSpaceText = L"パスに空白を含まないで下さい";
inline constexpr const wchar_t* kTriggerRangeText =
    L"温度は 38 ℃ から 100 ℃ までの間で選択して下さい";
// Controls of the temperature dialog.
inline constexpr int kShotConfirmButton = 1;
inline constexpr int kTriggerCombo = 1025;
inline constexpr int kLowestTrigger = 38;
inline constexpr int kDefaultTriggerIndex = 42;  // 80 ℃
// A picture that is due is written within this time (sampling cycles are a second apart).
inline constexpr DWORD kShotTimeoutMs = 5000;
// Longer than two sampling cycles: a request that would fire has fired by then.
inline constexpr DWORD kNoShotMs = 2500;

// Ticks "Screen Shot", accepts the save dialog with `path` and waits for the temperature dialog.
inline HWND OpenShotDialog(const AppRun& run, const std::wstring& path) {
  return OpenSettingsDialog(run.app, run.main, kShotBoxCaption, path, kShotDialogTitle);
}
inline HWND TriggerCombo(HWND dialog) {
  return GetDlgItem(dialog, kTriggerCombo);
}
// Chooses `degrees` from the list, presses "設定" and expects the dialog to end; false when it
// stays.
bool ConfirmTrigger(HWND dialog, int degrees);
// Both of the above: a request for `path` at `degrees`; false when it could not be made.
bool RequestShot(const AppRun& run, const std::wstring& path, int degrees);
// The picture once the file exists and the box has gone off (the program unticks the box after
// writing), or nothing when that does not happen within `timeoutMs`.
std::optional<BmpImage> WaitForShot(const AppRun& run, const std::wstring& path,
                                    DWORD timeoutMs = kShotTimeoutMs);
// A request ended by the program with `text`, owned by the main window, and the box off.
inline void ExpectShotRefused(const AppRun& run, const std::wstring& text) {
  ExpectBoxRefused(run.app, run.main, kShotBoxCaption, text, kShotDialogTitle);
}

// The client area of the main window in a picture file compared with the window on the screen.
// A sampling cycle repaints the meters, the graphs and the information panel (the graphs scroll
// by one sample), so those areas may differ between the moment of the picture and the moment of
// the screen copy; every other client pixel must be the same in both.

// The areas a sampling cycle repaints, in client coordinates, for a window of this outer size.
std::vector<RECT> CycleAreas(SIZE outer);
// Where the client area's top left lies inside the window rectangle.
POINT ClientOffset(HWND window);

struct PixelDifference {
  int count = 0;          // differing pixels outside the skipped areas
  int compared = 0;       // pixels compared
  std::string firstSeen;  // the first difference, as "(x, y) file RRGGBB screen RRGGBB"
};

// The pixels of the picture right of and below the client rectangle (`offset`, `client`) whose
// colour the print of the frame left nowhere in the strips left of and above it: client content
// drawn over the frame. `strip` counts the pixels looked at.
struct FrameOverdraw {
  int count = 0;
  int strip = 0;
  std::string firstSeen;  // as "(x, y) RRGGBB"
};
FrameOverdraw FindFrameOverdraw(const BmpImage& image, POINT offset, SIZE client);

// Compares client pixel (x, y) of the screen copy with window pixel (x + offset) of the picture,
// for every pixel outside `skip`.
PixelDifference CompareClient(const BmpImage& image, POINT offset, const ScreenCapture& screen,
                              const std::vector<RECT>& skip);

}  // namespace e2e
