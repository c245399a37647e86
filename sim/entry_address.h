// One row of a table from a vendor entry to the simulator function that answers it.
#pragma once

#include "function_table.h"

namespace sim {

struct Entry {
  Fn fn;
  void* function;
};

// A function's address as the untyped pointer the vendor look-ups hand out.
template <typename F>
void* Address(F* function) {
  return reinterpret_cast<void*>(function);
}

}  // namespace sim
