// The two ways the wide-text fuzz targets read their bytes: as UTF-16LE pairs, as a dialog's
// edit box would hand them over, and one character per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

template <typename Check>
void CheckBothReadings(const std::uint8_t* data, std::size_t size, Check check) {
  std::wstring units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  }
  check(units);
  check(std::wstring(data, data + size));
}
