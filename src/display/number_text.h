// The program's decimal texts for every number on screen: plain digits, and counts of 10^-s
// units written with two truncated decimals, with the unit conversions the painter uses.
#pragma once

#include <cstdint>
#include <string>

namespace display {

// The decimal digits of `value`, most significant first, no leading zeros; 0 gives "0".
std::string DecimalDigits(std::uint32_t value);
// The same for a signed value; a negative value gets a leading "-" before its magnitude.
std::string DecimalDigits(std::int32_t value);

// `value` counted in 10^-`exponent` units, as whole units, ".", and the first two decimals,
// truncated: FormatFixed2(1234567, 3) is "1234.56". `exponent` runs from 2 to 19; any other
// exponent gives an empty text.
std::string FormatFixed2(std::uint64_t value, int exponent);

// A clock in kHz as MHz.
std::string MhzText(std::uint32_t kHz);
// A memory amount in KiB as MiB: trunc(KiB / 1024 × 1000) in double precision, then three
// decimals cut to two.
std::string MbText(std::uint32_t kiB);
// A power in mW as W.
std::string WattText(std::uint32_t milliwatts);
// A voltage in microvolts as V.
std::string VoltText(std::uint32_t microvolts);

// A temperature with its unit as wide text: the digits, a blank and the degree-Celsius sign
// U+2103, e.g. L"45 ℃".
std::wstring CelsiusText(std::int32_t degrees);

}  // namespace display
