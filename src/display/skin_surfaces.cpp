#include "display/skin_surfaces.h"

namespace display {
namespace {

constexpr std::uint32_t kBlack = MakeRgb(0, 0, 0);
constexpr std::uint32_t kFrameLight = MakeRgb(160, 160, 160);
constexpr std::uint32_t kFrameDark = MakeRgb(105, 105, 105);
constexpr int kFrameDrawnRows = 210;  // rows 210 to 255 stay unset

struct TileColours {
  std::uint32_t dim, mid, bright;
};
constexpr TileColours kGreenTile = {MakeRgb(0, 128, 0), MakeRgb(0, 128, 0), MakeRgb(0, 255, 0)};
constexpr TileColours kAmberTile = {MakeRgb(64, 51, 0), MakeRgb(128, 102, 0), MakeRgb(255, 204, 0)};
constexpr TileColours kRedTile = {MakeRgb(64, 16, 0), MakeRgb(128, 32, 0), MakeRgb(255, 64, 0)};
constexpr int kTileWidth = 20;

// The one colour of every surface that is a plain fill; 0 for the others.
constexpr std::uint32_t FillColour(int index) {
  switch (index) {
    case kGridColumnSkin:
    case kGridRowSkin:
      return MakeRgb(0, 128, 64);
    case kClockBarSkin:
      return MakeRgb(0, 255, 0);
    case kOverBaseBarSkin:
    case kTempBand4Skin:
      return MakeRgb(255, 64, 0);
    case kMemoryBarSkin:
      return MakeRgb(0, 128, 255);
    case kTempBand2Skin:
      return MakeRgb(200, 255, 0);
    case kTempBand3Skin:
    case kBaseLineSkin:
      return MakeRgb(255, 204, 0);
    case kTempBand1Skin:
      return MakeRgb(80, 240, 46);
    default:
      return 0;
  }
}

SkinPixels Blank(int width, int height) {
  return {width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0)};
}

void Set(SkinPixels& surface, int x, int y, std::uint32_t colour) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
  surface.argb[static_cast<std::size_t>(y) * surface.width + x] = colour;
}

// Light top and left edge, a dark line inside it, black interior, down to row 209.
void DrawFrame(SkinPixels& surface) {
  for (int x = 0; x < surface.width; ++x) Set(surface, x, 0, kFrameLight);
  for (int x = 1; x < surface.width; ++x) Set(surface, x, 1, kFrameDark);
  for (int y = 0; y < kFrameDrawnRows; ++y) Set(surface, 0, y, kFrameLight);
  for (int y = 1; y < kFrameDrawnRows; ++y) Set(surface, 1, y, kFrameDark);
  for (int y = 2; y < kFrameDrawnRows; ++y) {
    for (int x = 2; x < surface.width; ++x) Set(surface, x, y, kBlack);
  }
}

// Rows 0 and 1: the unlit segment (dim on a black checker); rows 2 and 3: the lit one.
void DrawTile(SkinPixels& surface, const TileColours& colours) {
  for (int x = 0; x < kTileWidth; ++x) {
    const bool even = x % 2 == 0;
    Set(surface, x, 0, even ? colours.dim : kBlack);
    Set(surface, x, 2, even ? colours.bright : colours.mid);
  }
  for (int x = 0; x < kTileWidth; ++x) {
    const bool even = x % 2 == 0;
    Set(surface, x, 1, even ? kBlack : colours.dim);
    Set(surface, x, 3, even ? colours.mid : colours.bright);
  }
}

void Fill(SkinPixels& surface, std::uint32_t colour) {
  for (std::uint32_t& pixel : surface.argb) pixel = colour;
}

// The image rows bottom-up: stored row k is image row height - 1 - k; clipped to the surface.
void DrawLogo(SkinPixels& surface, const DecodedSkin& logo) {
  const SkinCoreHeader& header = logo.coreHeader;
  if (CheckSkinImage(header, logo.pixels.size()) != SkinRefusal::kNone) return;
  const std::size_t stride = SkinRowStride(header.bitsPerPixel, header.width);
  for (int r = header.height - 1; r >= 0; --r) {
    const std::size_t row = stride * static_cast<std::size_t>(header.height - 1 - r);
    for (int x = 0; x < header.width; ++x) {
      const std::uint8_t* bgr = &logo.pixels[row + 3 * static_cast<std::size_t>(x)];
      Set(surface, x, r, MakeRgb(bgr[2], bgr[1], bgr[0]));
    }
  }
}

}  // namespace

std::uint32_t SkinPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return argb[static_cast<std::size_t>(y) * width + x];
}

SkinPixels BuildSkinSurfacePixels(int index, const DecodedSkin& logo) {
  if (index < 0 || index >= kSkinSurfaceCount) return {};
  const SkinSurfaceInfo& info = kSkinSurfaceTable[static_cast<std::size_t>(index)];
  SkinPixels surface = Blank(info.width, info.height);
  switch (index) {
    case kFrameSkin:
      DrawFrame(surface);
      break;
    case kGreenTileSkin:
      DrawTile(surface, kGreenTile);
      break;
    case kAmberTileSkin:
      DrawTile(surface, kAmberTile);
      break;
    case kRedTileSkin:
      DrawTile(surface, kRedTile);
      break;
    case kLogoSkin:
      DrawLogo(surface, logo);
      break;
    default:
      Fill(surface, FillColour(index));
      break;
  }
  return surface;
}

}  // namespace display
