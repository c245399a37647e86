#include "screenshot_steps.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace e2e {

constexpr std::size_t kHeaderBytes = 54;

std::size_t BmpImage::Stride() const {
  const std::int32_t width = Width();
  return width > 0 ? (3 * static_cast<std::size_t>(width) + 3) / 4 * 4 : 0;
}

std::optional<std::uint32_t> BmpImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return std::nullopt;
  const std::size_t row = static_cast<std::size_t>(Height() - 1 - y);  // bottom row first
  const std::size_t offset = kHeaderBytes + row * Stride() + 3 * static_cast<std::size_t>(x);
  if (offset + 3 > bytes_.size()) return std::nullopt;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
  return static_cast<std::uint32_t>(b[2] << 16 | b[1] << 8 | b[0]);  // blue, green, red
}

bool BmpImage::PaddingIsZero() const {
  const std::size_t used = 3 * static_cast<std::size_t>(Width());
  for (std::size_t row = 0; row < static_cast<std::size_t>(Height()); ++row) {
    for (std::size_t i = used; i < Stride(); ++i) {
      const std::size_t offset = kHeaderBytes + row * Stride() + i;
      if (offset >= bytes_.size() || bytes_[offset] != '\0') return false;
    }
  }
  return true;
}

void ExpectBmpLayout(const BmpImage& image, SIZE size) {
  const std::size_t stride = (3 * static_cast<std::size_t>(size.cx) + 3) / 4 * 4;
  const std::size_t pixels = stride * static_cast<std::size_t>(size.cy);
  ASSERT_GE(image.Size(), kHeaderBytes) << "no complete header";
  EXPECT_EQ(image.U16(0), 0x4D42u) << "signature BM";
  EXPECT_EQ(image.U32(2), kHeaderBytes + pixels) << "file size";
  EXPECT_EQ(image.U32(6), 0u) << "reserved";
  EXPECT_EQ(image.U32(10), kHeaderBytes) << "offset of the pixel rows";
  EXPECT_EQ(image.U32(14), 40u) << "size of the information header";
  EXPECT_EQ(image.Width(), size.cx);
  EXPECT_EQ(image.Height(), size.cy) << "positive: bottom row first";
  EXPECT_EQ(image.U16(26), 1u) << "planes";
  EXPECT_EQ(image.U16(28), 24u) << "bits per pixel";
  EXPECT_EQ(image.U32(30), 0u) << "compression";
  EXPECT_EQ(image.U32(34), pixels) << "image size";
  for (std::size_t offset : {38, 42, 46, 50}) EXPECT_EQ(image.U32(offset), 0u) << offset;
  EXPECT_EQ(image.Size(), kHeaderBytes + pixels) << "length of the file";
  EXPECT_TRUE(image.PaddingIsZero()) << "a row's padding holds non-zero bytes";
}

bool ConfirmTrigger(HWND dialog, int degrees) {
  EXPECT_TRUE(SelectComboEntry(TriggerCombo(dialog), degrees - kLowestTrigger));
  EXPECT_TRUE(PostClick(dialog, kShotConfirmButton));
  const bool gone = WaitGone(dialog, kCycleTimeoutMs);
  EXPECT_TRUE(gone) << "the temperature dialog stays open";
  return gone;
}

bool RequestShot(const AppRun& run, const std::wstring& path, int degrees) {
  HWND dialog = OpenShotDialog(run, path);
  return dialog != nullptr && ConfirmTrigger(dialog, degrees);
}

std::optional<BmpImage> WaitForShot(const AppRun& run, const std::wstring& path, DWORD timeoutMs) {
  const bool written = WaitUntil(
      [&] { return FileExists(path) && MainBoxState(run.main, kShotBoxCaption) == 0; }, timeoutMs);
  if (!written) return std::nullopt;
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return BmpImage(std::move(*bytes));
}

std::vector<RECT> CycleAreas(SIZE outer) {
  const int h = (outer.cy - 20) / 3;
  const int w = outer.cx / 2;
  const int top[3] = {47, h - 15, 2 * h - 77};
  const int bottom[3] = {h - 45, 2 * h - 107, 3 * h - 169};
  std::vector<RECT> areas;
  for (int row = 0; row < 3; ++row) {
    areas.push_back({19, top[row], 101, bottom[row]});              // left meter
    areas.push_back({w + 24, top[row], w + 106, bottom[row]});      // right meter
    areas.push_back({139, top[row], w - 44, bottom[row]});          // left graph
    areas.push_back({w + 144, top[row], 2 * w - 39, bottom[row]});  // right graph
  }
  areas.push_back({12, outer.cy - 162, 682, outer.cy - 34});  // information panel
  return areas;
}

POINT ClientOffset(HWND window) {
  RECT outer = {};
  POINT origin = {0, 0};
  GetWindowRect(window, &outer);
  ClientToScreen(window, &origin);
  return {origin.x - outer.left, origin.y - outer.top};
}

FrameOverdraw FindFrameOverdraw(const BmpImage& image, POINT offset, SIZE client) {
  const int right = offset.x + client.cx;
  const int bottom = offset.y + client.cy;
  std::set<std::uint32_t> frame;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x)
      if (x < offset.x || y < offset.y) frame.insert(image.At(x, y).value_or(0));
  }
  FrameOverdraw overdraw;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (x < right && y < bottom) continue;
      ++overdraw.strip;
      const std::uint32_t pixel = image.At(x, y).value_or(0xFF000000u);
      if (frame.count(pixel) != 0) continue;
      if (overdraw.count++ == 0) {
        char text[48];
        std::snprintf(text, sizeof text, "(%d, %d) %06X", x, y, static_cast<unsigned>(pixel));
        overdraw.firstSeen = text;
      }
    }
  }
  return overdraw;
}

PixelDifference CompareClient(const BmpImage& image, POINT offset, const ScreenCapture& screen,
                              const std::vector<RECT>& skip) {
  PixelDifference difference;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) {
      const POINT at = {x, y};
      if (std::any_of(skip.begin(), skip.end(), [&](const RECT& r) { return PtInRect(&r, at); }))
        continue;
      ++difference.compared;
      const std::uint32_t onScreen = screen.At(x, y);
      const std::uint32_t inFile = image.At(x + offset.x, y + offset.y).value_or(0xFF000000u);
      if (inFile == onScreen) continue;
      if (difference.count++ == 0) {
        char text[80];
        std::snprintf(text, sizeof text, "(%d, %d) file %06X screen %06X", x, y,
                      static_cast<unsigned>(inFile), static_cast<unsigned>(onScreen));
        difference.firstSeen = text;
      }
    }
  }
  return difference;
}

}  // namespace e2e
