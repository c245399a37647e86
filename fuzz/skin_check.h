// What every skin fuzz target checks of a resource: the decoder refuses it or decodes it,
// never reading outside its bytes, and a decoded skin always builds its logo surface whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "display/skin_decoder.h"
#include "display/skin_surfaces.h"

inline void CheckSkinResource(std::span<const std::uint8_t> resource) {
  const display::SkinDecodeResult result = display::DecodeSkin(resource);
  if (result.refusal != display::SkinRefusal::kNone) return;
  const display::SkinPixels logo = display::BuildSkinSurfacePixels(display::kLogoSkin, result.skin);
  if (logo.argb.size() != static_cast<std::size_t>(logo.width) * logo.height) __builtin_trap();
}
