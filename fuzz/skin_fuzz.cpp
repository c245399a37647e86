// Any bytes as a stored skin resource: the decoder refuses or decodes, never reads outside the
// input, and a decoded skin always builds its logo surface.
#include <cstddef>
#include <cstdint>
#include <span>

#include "display/skin_decoder.h"
#include "display/skin_surfaces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const display::SkinDecodeResult result = display::DecodeSkin(std::span(data, size));
  if (result.refusal == display::SkinRefusal::kNone) {
    const display::SkinPixels logo =
        display::BuildSkinSurfacePixels(display::kLogoSkin, result.skin);
    if (logo.argb.size() != static_cast<std::size_t>(logo.width) * logo.height) __builtin_trap();
  }
  return 0;
}
