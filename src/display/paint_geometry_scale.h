// How many pixels a reading stands for: value / scale x pixels, computed in single or double
// precision as the graph requires and truncated toward zero. The result is clamped to
// +-kPixelReach before the conversion to int, so a reading far outside its scale (any int32 sample,
// any uint32 scale) gives a defined, far-off-plot height instead of an out-of-range cast.
#pragma once

#include <cstdint>

namespace display {

// Far beyond any plot, yet small enough that positions built from it never overflow an int.
inline constexpr int kPixelReach = 1 << 24;

// trunc(value), clamped to +-kPixelReach; 0 for a value that is not a number.
int TruncatedPixels(float value);
int TruncatedPixels(double value);

// trunc(value / scale x pixels) in single precision; 0 when scale is 0.
int ScaledPixels(std::int64_t value, std::uint32_t scale, int pixels);
// The same in double precision.
int ScaledPixelsPrecise(std::int64_t value, std::uint32_t scale, int pixels);

}  // namespace display
