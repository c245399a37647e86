// A reading's value as a function of its sample number n (0 for the first value handed out).
#pragma once

#include <cstdint>

namespace sim {

enum class SignalKind : std::uint8_t {
  kConstant,  // a
  kRamp,      // a + b*n
  kSquare,    // a for c samples, then b for c samples, repeating
  kSine,      // a + b*sin(2*pi*n/c), rounded to the nearest integer
  kNone,      // not reported (clock domains only)
};

struct Signal {
  SignalKind kind = SignalKind::kConstant;
  std::int64_t a = 0;
  std::int64_t b = 0;
  std::int64_t c = 1;  // square length and sine period; at least 1
};

// Bounds the scenario reader applies to signal parameters, so that every value stays finite.
inline constexpr std::int64_t kSignalLimit = std::int64_t{1} << 40;

constexpr Signal Constant(std::int64_t value) {
  return {SignalKind::kConstant, value, 0, 1};
}

// Saturates at the limits of int64 instead of overflowing.
std::int64_t SignalValue(const Signal& signal, std::uint64_t n);

// Conversions into record fields: values outside the field's range are clamped.
std::uint32_t ClampU32(std::int64_t value);
std::int32_t ClampI32(std::int64_t value);

}  // namespace sim
