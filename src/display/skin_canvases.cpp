#include "display/skin_canvases.h"

namespace display {

SkinCanvases::SkinCanvases(const DecodedSkin& logo) {
  for (const SkinSurfaceInfo& info : kSkinSurfaceTable) {
    const SkinPixels pixels = BuildSkinSurfacePixels(info.index, logo);
    auto canvas = std::make_unique<Canvas>(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) canvas->Set(x, y, pixels.At(x, y));
    }
    surfaces_.push_back(std::move(canvas));
  }
}

}  // namespace display
