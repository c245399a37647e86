// What the six metrics' level meters and history graphs share: the fixed full scales, the
// precision a reading is scaled in, and the temperatures at which the meter's segments turn
// amber and red and the temperature graph's third and fourth bands begin.
#pragma once

#include <cstdint>

namespace display {

enum class Precision { kSingle, kDouble };

inline constexpr std::int32_t kPercentFullScale = 100;      // the GPU load
inline constexpr std::int32_t kTemperatureFullScale = 100;  // °C; a hotter sample is drawn as this
inline constexpr std::int32_t kAmberFromCelsius = 66;
inline constexpr std::int32_t kRedFromCelsius = 85;

}  // namespace display
