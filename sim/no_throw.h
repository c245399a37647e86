// Vendor functions are called across a DLL boundary: no exception may leave them.
#pragma once

#include <cstdint>

namespace sim {

template <typename Body>
std::int32_t NoThrow(std::int32_t onException, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return onException;
  }
}

}  // namespace sim
