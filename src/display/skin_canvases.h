// The fifteen skin surfaces as canvases for the software painter, built once at start-up from
// the same pixels as the platform's skin surfaces.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "display/canvas.h"
#include "display/skin_decoder.h"
#include "display/skin_surfaces.h"

namespace display {

class SkinCanvases {
 public:
  // Every surface of the table; the logo from `logo` (left unset when it cannot be drawn).
  explicit SkinCanvases(const DecodedSkin& logo);
  // Canvases made elsewhere (views of the platform's bitmaps), in index order; not owned.
  explicit SkinCanvases(const std::array<std::unique_ptr<Canvas>, kSkinSurfaceCount>& views);
  const Canvas& Get(SkinSurfaceIndex index) const { return *surfaces_[index]; }

 private:
  std::vector<std::unique_ptr<Canvas>> owned_;
  std::array<const Canvas*, kSkinSurfaceCount> surfaces_{};
};

}  // namespace display
