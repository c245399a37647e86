#include "display/skin_canvases.h"

namespace display {

SkinCanvases::SkinCanvases(const DecodedSkin& logo) {
  for (const SkinSurfaceInfo& info : kSkinSurfaceTable) {
    const SkinPixels pixels = BuildSkinSurfacePixels(info.index, logo);
    auto canvas = std::make_unique<Canvas>(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) canvas->Set(x, y, pixels.At(x, y));
    }
    surfaces_[static_cast<std::size_t>(info.index)] = canvas.get();
    owned_.push_back(std::move(canvas));
  }
}

SkinCanvases::SkinCanvases(const std::array<std::unique_ptr<Canvas>, kSkinSurfaceCount>& views) {
  static const Canvas kEmpty(0, 0);
  for (std::size_t i = 0; i < views.size(); ++i) {
    surfaces_[i] = views[i] != nullptr ? views[i].get() : &kEmpty;
  }
}

}  // namespace display
