// The skin surfaces' pixels: frame, segment tiles, fills, and the logo from decoded pixels,
// including the packed logo that the build generates.
#include "display/skin_surfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>
#include <vector>

#include "display/skin_canvases.h"
#include "resources/tools/logo_art.h"

#ifndef QUORVANE_SKIN_FILE
#error "QUORVANE_SKIN_FILE names the packed logo made by resources/tools/make_skin"
#endif

namespace {

using display::BuildSkinSurfacePixels;
using display::DecodedSkin;
using display::MakeRgb;
using display::SkinPixels;

SkinPixels Surface(int index) {
  return BuildSkinSurfacePixels(index, {});
}

void ExpectPixels(const SkinPixels& surface,
                  std::initializer_list<std::tuple<int, int, std::uint32_t>> pixels) {
  for (const auto& [x, y, argb] : pixels) EXPECT_EQ(surface.At(x, y), argb) << x << "," << y;
}

// A decoded image whose pixel (x, r) has blue x, green r and red 7 (taken as given, no
// stride check beyond the decoder's).
DecodedSkin Logo(std::uint16_t width, std::uint16_t height) {
  DecodedSkin skin;
  skin.coreHeader = {.width = width, .height = height, .bitsPerPixel = 24};
  const std::size_t stride = display::SkinRowStride(24, width);
  skin.pixels.assign(stride * height, 0xEE);  // padding bytes must never show
  for (int k = 0; k < height; ++k) {          // stored row k is image row height - 1 - k
    for (int x = 0; x < width; ++x) {
      std::uint8_t* bgr = &skin.pixels[stride * k + 3 * x];
      bgr[0] = static_cast<std::uint8_t>(x);
      bgr[1] = static_cast<std::uint8_t>(height - 1 - k);
      bgr[2] = 7;
    }
  }
  return skin;
}

TEST(SkinSurfaces, TableAndBuildOrderCoverEverySurfaceOnce) {
  std::vector<int> order(display::kSkinBuildOrder.begin(), display::kSkinBuildOrder.end());
  std::sort(order.begin(), order.end());
  // Each surface's width and height.
  const int sizes[][2] = {{418, 256}, {256, 256}, {1, 210},   {418, 1},   {2, 204},
                          {2, 204},   {2, 204},   {180, 60},  {2, 204},   {2, 204},
                          {2, 204},   {418, 1},   {256, 256}, {256, 256}, {2, 204}};
  for (int i = 0; i < display::kSkinSurfaceCount; ++i) {
    const display::SkinSurfaceInfo& entry = display::kSkinSurfaceTable[i];
    EXPECT_EQ(entry.index, i);
    EXPECT_EQ((std::array{entry.width, entry.height}), (std::array{sizes[i][0], sizes[i][1]})) << i;
    EXPECT_EQ(order[i], i);
    const SkinPixels pixels = Surface(i);
    EXPECT_EQ((std::array{pixels.width, pixels.height}), (std::array{entry.width, entry.height}))
        << i;
    EXPECT_EQ(pixels.argb.size(), static_cast<std::size_t>(pixels.width * pixels.height));
  }
  EXPECT_EQ(display::kSkinBuildOrder.back(), display::kLogoSkin);
  for (const int outside : {-1, display::kSkinSurfaceCount}) {  // an empty surface, 0 x 0
    const SkinPixels none = Surface(outside);
    EXPECT_EQ((std::array{none.width, none.height}), (std::array{0, 0})) << outside;
    EXPECT_TRUE(none.argb.empty());
  }
}

TEST(SkinSurfaces, FrameHasLightAndDarkEdgesAndABlackInside) {
  const SkinPixels frame = Surface(display::kFrameSkin);
  const std::uint32_t light = MakeRgb(160, 160, 160), dark = MakeRgb(105, 105, 105);
  ExpectPixels(frame, {{0, 0, light}, {417, 0, light}, {0, 1, light}, {0, 209, light}});
  ExpectPixels(frame, {{1, 1, dark}, {417, 1, dark}, {1, 209, dark}});
  ExpectPixels(frame, {{2, 2, MakeRgb(0, 0, 0)}, {417, 209, MakeRgb(0, 0, 0)}});
  // Row 210 on is never drawn: left at 0 like the black inside, so check the edge column.
  EXPECT_EQ(frame.At(0, 210), 0u);
  EXPECT_EQ(frame.At(-1, 1), 0u);  // left of the surface, not the row above's last pixel
}

TEST(SkinSurfaces, TilesCarryTheSegmentPatternInTheirColours) {
  const SkinPixels green = Surface(display::kGreenTileSkin);
  const std::uint32_t dim = MakeRgb(0, 128, 0), bright = MakeRgb(0, 255, 0),
                      black = MakeRgb(0, 0, 0);
  ExpectPixels(green, {{0, 0, dim}, {1, 0, black}, {2, 0, dim}, {3, 0, black}});
  ExpectPixels(green, {{0, 2, bright}, {1, 2, dim}, {2, 2, bright}, {3, 2, dim}});
  ExpectPixels(green, {{2, 1, black}, {3, 1, dim}, {2, 3, dim}, {3, 3, bright}});
  // The amber and red tiles' dim, middle and bright colours.
  const std::tuple<int, std::uint32_t, std::uint32_t, std::uint32_t> tiles[] = {
      {display::kAmberTileSkin, MakeRgb(64, 51, 0), MakeRgb(128, 102, 0), MakeRgb(255, 204, 0)},
      {display::kRedTileSkin, MakeRgb(64, 16, 0), MakeRgb(128, 32, 0), MakeRgb(255, 64, 0)}};
  for (const auto& [index, low, mid, high] : tiles) {
    SCOPED_TRACE(index);
    const SkinPixels tile = Surface(index);
    ExpectPixels(tile, {{18, 0, low}, {19, 1, low}, {18, 1, black}, {18, 2, high}});
    ExpectPixels(tile, {{19, 2, mid}, {18, 3, mid}, {19, 3, high}});
    ExpectPixels(tile, {{20, 2, 0u}, {0, 4, 0u}});  // outside the 20 x 4 pattern nothing is drawn
  }
}

TEST(SkinSurfaces, StripsAreSolidFills) {
  EXPECT_EQ(Surface(display::kOverBaseBarSkin).argb, Surface(display::kTempBand4Skin).argb);
  const SkinPixels band1 = Surface(display::kTempBand1Skin);
  EXPECT_TRUE(std::all_of(band1.argb.begin(), band1.argb.end(),
                          [](std::uint32_t p) { return p == MakeRgb(80, 240, 46); }));
  ExpectPixels(Surface(display::kGridColumnSkin),
               {{0, 0, MakeRgb(0, 128, 64)}, {0, 209, MakeRgb(0, 128, 64)}});
}

TEST(SkinSurfaces, LogoTakesStoredRowsBottomUp) {
  const SkinPixels full = BuildSkinSurfacePixels(display::kLogoSkin, Logo(180, 60));
  for (int r = 0; r < 60; ++r) {
    for (int x = 0; x < 180; ++x) ASSERT_EQ(full.At(x, r), MakeRgb(7, r, x)) << x << "," << r;
  }
  // A 7 x 3 image (rows padded from 21 to 24 bytes) lands at the top left, the rest unset.
  const SkinPixels small = BuildSkinSurfacePixels(display::kLogoSkin, Logo(7, 3));
  ExpectPixels(small, {{6, 2, MakeRgb(7, 2, 6)}, {0, 0, MakeRgb(7, 0, 0)}, {7, 0, 0u}, {0, 3, 0u}});
}

TEST(SkinSurfaces, LogoThatCannotBeReadStaysUnset) {
  DecodedSkin truncated = Logo(180, 60);
  truncated.pixels.pop_back();
  DecodedSkin tooWide = Logo(180, 60);
  tooWide.coreHeader.width = 181;
  for (const DecodedSkin& skin : {truncated, tooWide}) {
    const SkinPixels logo = BuildSkinSurfacePixels(display::kLogoSkin, skin);
    EXPECT_EQ(logo.argb.size(), 180u * 60);
    EXPECT_TRUE(std::all_of(logo.argb.begin(), logo.argb.end(), [](auto p) { return p == 0; }));
  }
}

TEST(SkinSurfaces, GeneratedSkinResourceDecodesToTheDrawnLogo) {
  std::ifstream file(QUORVANE_SKIN_FILE, std::ios::binary);
  ASSERT_TRUE(file) << QUORVANE_SKIN_FILE;
  const std::vector<std::uint8_t> stored((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
  EXPECT_EQ(stored.size(), display::kSkinResourceSize);
  const display::SkinDecodeResult decoded = display::DecodeSkin(stored);
  ASSERT_EQ(decoded.refusal, display::SkinRefusal::kNone);
  EXPECT_EQ(decoded.skin.fileHeader.fileSize, 26u + 32400);
  EXPECT_EQ(decoded.skin.fileHeader.pixelOffset, 26u);
  EXPECT_EQ(decoded.skin.coreHeader.headerSize, 12u);
  EXPECT_EQ(decoded.skin.coreHeader.bitsPerPixel, 24);
  const SkinPixels logo = BuildSkinSurfacePixels(display::kLogoSkin, decoded.skin);
  for (int y = 0; y < logo::kHeight; ++y) {
    for (int x = 0; x < logo::kWidth; ++x) {
      const logo::Rgb drawn = logo::Colour(x, y);
      ASSERT_EQ(logo.At(x, y), MakeRgb(drawn.r, drawn.g, drawn.b)) << x << "," << y;
    }
  }
}

// Canvases made elsewhere are taken as they are, in index order; a missing one is empty.
TEST(SkinSurfaces, CanvasesOfViewsTakeEachViewAtItsIndex) {
  std::array<std::unique_ptr<display::Canvas>, display::kSkinSurfaceCount> views{};
  views[display::kFrameSkin] = std::make_unique<display::Canvas>(3, 2);
  views[display::kTempBand1Skin] = std::make_unique<display::Canvas>(1, 1);
  const display::SkinCanvases skins(views);
  EXPECT_EQ(&skins.Get(display::kFrameSkin), views[display::kFrameSkin].get());
  EXPECT_EQ(&skins.Get(display::kTempBand1Skin), views[display::kTempBand1Skin].get());
  const display::Canvas& logo = skins.Get(display::kLogoSkin);
  EXPECT_EQ((std::array{logo.Width(), logo.Height()}), (std::array{0, 0}));
}

}  // namespace
