#include "reading_signal.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace sim {
namespace {

std::int64_t RampValue(std::int64_t start, std::int64_t step, std::uint64_t n) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t product = 0;
  std::int64_t sum = 0;
  const bool nFits = n <= static_cast<std::uint64_t>(kMax);
  if (!nFits || __builtin_mul_overflow(step, static_cast<std::int64_t>(n), &product)) {
    return step < 0 ? kMin : kMax;
  }
  if (__builtin_add_overflow(start, product, &sum)) return step < 0 ? kMin : kMax;
  return sum;
}

std::int64_t SquareValue(std::int64_t lo, std::int64_t hi, std::int64_t length, std::uint64_t n) {
  const std::uint64_t half = length < 1 ? 1 : static_cast<std::uint64_t>(length);
  return (n / half) % 2 == 0 ? lo : hi;
}

std::int64_t SineValue(std::int64_t mid, std::int64_t amp, std::int64_t period, std::uint64_t n) {
  const std::uint64_t p = period < 1 ? 1 : static_cast<std::uint64_t>(period);
  // Reduce n first so the angle keeps its precision however many samples were taken.
  const double phase = static_cast<double>(n % p) / static_cast<double>(p);
  const double value = static_cast<double>(mid) +
                       static_cast<double>(amp) * std::sin(2.0 * std::numbers::pi * phase);
  return static_cast<std::int64_t>(std::llround(value));
}

}  // namespace

std::int64_t SignalValue(const Signal& signal, std::uint64_t n) {
  switch (signal.kind) {
    case SignalKind::kConstant:
      return signal.a;
    case SignalKind::kRamp:
      return RampValue(signal.a, signal.b, n);
    case SignalKind::kSquare:
      return SquareValue(signal.a, signal.b, signal.c, n);
    case SignalKind::kSine:
      return SineValue(signal.a, signal.b, signal.c, n);
    case SignalKind::kNone:
      return 0;
  }
  return 0;
}

std::uint32_t ClampU32(std::int64_t value) {
  if (value < 0) return 0;
  if (value > std::numeric_limits<std::uint32_t>::max()) {
    return std::numeric_limits<std::uint32_t>::max();
  }
  return static_cast<std::uint32_t>(value);
}

std::int32_t ClampI32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace sim
