// Typed access to the in-process simulator for tests: the entry of an NVAPI interface id or an
// NVML export, cast to its function type from nvapi_abi.h / nvml_abi.h (null when not provided).
#pragma once

#include <cstdint>

#include "sim/sim.h"

namespace sim {

template <typename F>
F NvapiEntry(std::uint32_t id) {
  return reinterpret_cast<F>(SimNvapiQueryInterface(id));
}

template <typename F>
F NvmlEntry(const char* name) {
  return reinterpret_cast<F>(NvmlFunction(name));
}

}  // namespace sim
