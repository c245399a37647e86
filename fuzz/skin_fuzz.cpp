// Any bytes as a stored skin resource: the decoder refuses or decodes, never reads outside the
// input, and a decoded skin always builds its logo surface.
#include <cstddef>
#include <cstdint>
#include <span>

#include "skin_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckSkinResource(std::span(data, size));
  return 0;
}
