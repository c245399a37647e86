#include "display/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

using display::DecimalDigits;
using display::FormatFixed2;

TEST(NumberText, FormatFixed2TruncatesToTwoDecimals) {
  EXPECT_EQ(FormatFixed2(1234567, 3), "1234.56");  // the 7 is dropped, never carried
  EXPECT_EQ(FormatFixed2(405000, 3), "405.00");
  EXPECT_EQ(FormatFixed2(999, 3), "0.99");
  EXPECT_EQ(FormatFixed2(50, 3), "0.05");
  EXPECT_EQ(FormatFixed2(0, 3), "0.00");
  EXPECT_EQ(FormatFixed2(875000, 6), "0.87");
  EXPECT_EQ(FormatFixed2(1999999, 6), "1.99");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<std::uint64_t>::max(), 3), "18446744073709551.61");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<std::uint64_t>::max(), 19), "1.84");
  EXPECT_EQ(FormatFixed2(12345, 1), "");  // no two decimals to take
  EXPECT_EQ(FormatFixed2(12345, 20), "");
}

TEST(NumberText, DecimalDigitsOfBothVariants) {
  EXPECT_EQ(DecimalDigits(std::uint32_t{0}), "0");
  EXPECT_EQ(DecimalDigits(std::numeric_limits<std::uint32_t>::max()), "4294967295");
  for (std::int32_t v : {0, 7, 10, 45, 100, std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(DecimalDigits(v), std::to_string(v)) << v;  // the library's text, not our own
  }
  EXPECT_EQ(DecimalDigits(std::int32_t{-5}), "-5");
  EXPECT_EQ(DecimalDigits(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(NumberText, UnitTexts) {
  EXPECT_EQ(display::MhzText(1350000), "1350.00");
  EXPECT_EQ(display::MhzText(1234567), "1234.56");
  EXPECT_EQ(display::MbText(1048576), "1024.00");
  EXPECT_EQ(display::MbText(1536), "1.50");
  EXPECT_EQ(display::MbText(1023), "0.99");  // 999.02 thousandths of a MiB
  EXPECT_EQ(display::MbText(std::numeric_limits<std::uint32_t>::max()), "4194303.99");
  EXPECT_EQ(display::WattText(50), "0.05");
  EXPECT_EQ(display::VoltText(875000), "0.87");
  EXPECT_EQ(display::CelsiusText(45), L"45 \u2103");
  EXPECT_EQ(display::CelsiusText(-12), L"-12 \u2103");
}

}  // namespace
