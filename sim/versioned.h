// Checking the version word of a record handed in by the program.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "gpu/nvapi_abi.h"
#include "record_writer.h"
#include "scenario.h"

namespace sim {

inline bool AcceptsVersion(const GpuSetup& gpu, Query query, std::uint32_t word) {
  const std::vector<std::uint32_t>& accepted = gpu.accepted[Index(query)];
  return std::find(accepted.begin(), accepted.end(), word) != accepted.end();
}

// A writer for the record's announced size, never beyond the record type.
template <typename Record>
RecordWriter WriterFor(Record* record) {
  const std::size_t announced = nvapi::VersionSize(VersionWordOf(record));
  return RecordWriter(record, std::min(announced, sizeof(Record)));
}

}  // namespace sim
