// Reading signals at known sample numbers, and the clamps into record fields.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "sim/reading_signal.h"

namespace {

using sim::Signal;
using sim::SignalKind;
using sim::SignalValue;

TEST(SimSignal, ConstantRampSquareSineAtKnownSamples) {
  const Signal constant{SignalKind::kConstant, -7, 0, 1};
  EXPECT_EQ(SignalValue(constant, 0), -7);
  EXPECT_EQ(SignalValue(constant, 123456), -7);
  const Signal ramp{SignalKind::kRamp, 1000, -3, 1};
  EXPECT_EQ(SignalValue(ramp, 0), 1000);
  EXPECT_EQ(SignalValue(ramp, 1), 997);
  EXPECT_EQ(SignalValue(ramp, 10), 970);
  const Signal square{SignalKind::kSquare, 10, 90, 3};  // three samples low, three high
  const std::int64_t expected[] = {10, 10, 10, 90, 90, 90, 10};
  for (std::uint64_t n = 0; n < std::size(expected); ++n) {
    EXPECT_EQ(SignalValue(square, n), expected[n]) << "n = " << n;
  }
  const Signal sine{SignalKind::kSine, 60, 10, 4};
  EXPECT_EQ(SignalValue(sine, 0), 60);
  EXPECT_EQ(SignalValue(sine, 1), 70);
  EXPECT_EQ(SignalValue(sine, 2), 60);
  EXPECT_EQ(SignalValue(sine, 3), 50);
  EXPECT_EQ(SignalValue(sine, 4000001), 70) << "whole periods drop out";
  const Signal sixth{SignalKind::kSine, 0, 100, 12};  // sin(30 degrees) = 0.5 exactly
  EXPECT_EQ(SignalValue(sixth, 1), 50);
  EXPECT_EQ(SignalValue(sixth, 7), -50);
}

TEST(SimSignal, RampSaturatesInsteadOfOverflowing) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const Signal up{SignalKind::kRamp, sim::kSignalLimit, sim::kSignalLimit, 1};
  const Signal down{SignalKind::kRamp, -sim::kSignalLimit, -sim::kSignalLimit, 1};
  EXPECT_EQ(SignalValue(up, std::numeric_limits<std::uint64_t>::max()), kMax);
  EXPECT_EQ(SignalValue(down, std::numeric_limits<std::uint64_t>::max()), kMin);
  EXPECT_EQ(SignalValue(up, std::uint64_t{1} << 20),
            sim::kSignalLimit * ((std::int64_t{1} << 20) + 1));
  EXPECT_EQ(SignalValue(up, std::uint64_t{1} << 23), kMax) << "2^40 + 2^63 overflows";
}

TEST(SimSignal, ClampsIntoFieldRanges) {
  EXPECT_EQ(sim::ClampU32(-1), 0u);
  EXPECT_EQ(sim::ClampU32(std::int64_t{1} << 33), std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(sim::ClampU32(4000000000), 4000000000u);
  EXPECT_EQ(sim::ClampI32(-20), -20);
  EXPECT_EQ(sim::ClampI32(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(sim::ClampI32(-(std::int64_t{1} << 40)), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
