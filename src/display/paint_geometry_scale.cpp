#include "display/paint_geometry_scale.h"

#include <cmath>

namespace display {
namespace {

template <typename Real>
int Truncate(Real value) {
  if (std::isnan(value)) return 0;
  constexpr Real kReach = static_cast<Real>(kPixelReach);
  if (value >= kReach) return kPixelReach;
  if (value <= -kReach) return -kPixelReach;
  return static_cast<int>(value);  // in range: the cast truncates toward zero
}

}  // namespace

int TruncatedPixels(float value) {
  return Truncate(value);
}

int TruncatedPixels(double value) {
  return Truncate(value);
}

int ScaledPixels(std::int64_t value, std::uint32_t scale, int pixels) {
  if (scale == 0) return 0;
  const float ratio = static_cast<float>(value) / static_cast<float>(scale);
  return TruncatedPixels(ratio * static_cast<float>(pixels));
}

int ScaledPixelsPrecise(std::int64_t value, std::uint32_t scale, int pixels) {
  if (scale == 0) return 0;
  const double ratio = static_cast<double>(value) / static_cast<double>(scale);
  return TruncatedPixels(ratio * static_cast<double>(pixels));
}

}  // namespace display
