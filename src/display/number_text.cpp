#include "display/number_text.h"

#include <algorithm>
#include <cmath>

namespace display {

namespace {

constexpr int kMinExponent = 2;
constexpr int kMaxExponent = 19;  // 10^19 is the largest power of ten in 64 bits
constexpr wchar_t kDegreeCelsius = L'\u2103';

// The digits of `value`, after a "-" when `negative`.
std::string Digits(std::uint64_t value, bool negative = false) {
  std::string text;
  do {
    text += static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  if (negative) text += '-';
  std::reverse(text.begin(), text.end());
  return text;
}

std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

}  // namespace

std::string DecimalDigits(std::uint32_t value) {
  return Digits(value);
}

std::string DecimalDigits(std::int32_t value) {
  if (value >= 0) return Digits(static_cast<std::uint64_t>(value));
  // The magnitude in 64 bits, so that the most negative value has one as well.
  return Digits(static_cast<std::uint64_t>(-static_cast<std::int64_t>(value)), true);
}

std::string FormatFixed2(std::uint64_t value, int exponent) {
  if (exponent < kMinExponent || exponent > kMaxExponent) return {};
  const std::uint64_t unit = PowerOfTen(exponent);
  const std::uint64_t hundredths = value % unit / PowerOfTen(exponent - 2);
  std::string text = Digits(value / unit) + '.';
  text += static_cast<char>('0' + hundredths / 10);
  text += static_cast<char>('0' + hundredths % 10);
  return text;
}

std::string MhzText(std::uint32_t kHz) {
  return FormatFixed2(kHz, 3);
}

std::string MbText(std::uint32_t kiB) {
  // At most 4,194,303,999.06: always inside the 64-bit range, and exact in double precision.
  const double thousandths = std::trunc(kiB / 1024.0 * 1000.0);
  return FormatFixed2(static_cast<std::uint64_t>(thousandths), 3);
}

std::string WattText(std::uint32_t milliwatts) {
  return FormatFixed2(milliwatts, 3);
}

std::string VoltText(std::uint32_t microvolts) {
  return FormatFixed2(microvolts, 6);
}

std::wstring CelsiusText(std::int32_t degrees) {
  const std::string digits = DecimalDigits(degrees);
  std::wstring text(digits.begin(), digits.end());
  text += L' ';
  text += kDegreeCelsius;
  return text;
}

}  // namespace display
