// The fifteen skin surfaces the painter copies from: their table, the order start-up builds
// them in, and the pixels of each. Fourteen are drawn from constants; the logo comes from the
// decoded skin resource.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/canvas.h"
#include "display/skin_decoder.h"

namespace display {

inline constexpr int kSkinSurfaceCount = 15;

enum SkinSurfaceIndex : int {
  kFrameSkin = 0,
  kGreenTileSkin = 1,
  kGridColumnSkin = 2,
  kGridRowSkin = 3,
  kClockBarSkin = 4,
  kOverBaseBarSkin = 5,
  kMemoryBarSkin = 6,
  kLogoSkin = 7,
  kTempBand2Skin = 8,
  kTempBand3Skin = 9,
  kTempBand4Skin = 10,
  kBaseLineSkin = 11,
  kAmberTileSkin = 12,
  kRedTileSkin = 13,
  kTempBand1Skin = 14,
};

struct SkinSurfaceInfo {
  int index;
  const char* name;
  int width;
  int height;
};

// In index order.
inline constexpr std::array<SkinSurfaceInfo, kSkinSurfaceCount> kSkinSurfaceTable = {{
    {kFrameSkin, "frameSkin", 418, 256},
    {kGreenTileSkin, "greenTileSkin", 256, 256},
    {kGridColumnSkin, "gridColumnSkin", 1, 210},
    {kGridRowSkin, "gridRowSkin", 418, 1},
    {kClockBarSkin, "clockBarSkin", 2, 204},
    {kOverBaseBarSkin, "overBaseBarSkin", 2, 204},
    {kMemoryBarSkin, "memoryBarSkin", 2, 204},
    {kLogoSkin, "logoSkin", 180, 60},
    {kTempBand2Skin, "tempBand2Skin", 2, 204},
    {kTempBand3Skin, "tempBand3Skin", 2, 204},
    {kTempBand4Skin, "tempBand4Skin", 2, 204},
    {kBaseLineSkin, "baseLineSkin", 418, 1},
    {kAmberTileSkin, "amberTileSkin", 256, 256},
    {kRedTileSkin, "redTileSkin", 256, 256},
    {kTempBand1Skin, "tempBand1Skin", 2, 204},
}};

// The order start-up creates and fills the surfaces in; the logo comes last.
inline constexpr std::array<int, kSkinSurfaceCount> kSkinBuildOrder = {0, 1,  12, 13, 2,  3,  4, 5,
                                                                       6, 14, 8,  9,  10, 11, 7};

// A surface's pixels, top row first, each 0x00RRGGBB. Pixels the surface leaves unset (frame
// rows 210 to 255, everything outside the tiles' 20 x 4 pattern, the logo outside its image)
// are 0; the painter never reads them.
struct SkinPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;

  // The pixel at (x, y); 0 outside the surface.
  std::uint32_t At(int x, int y) const;
};

// The pixels of surface `index`; `logo` feeds only the logo surface. An index outside 0 to 14
// gives an empty surface; a logo whose rows cannot be read within its pixel block (see
// CheckSkinImage) leaves the logo surface unset.
SkinPixels BuildSkinSurfacePixels(int index, const DecodedSkin& logo);

}  // namespace display
