#include "gpu/gpu_enumeration.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace gpu {
namespace {

constexpr std::uint32_t kHandleCapacity = nvapi::kMaxPhysicalGpus;

// The display GPUs, written from the start of the table. The table has the 64 entries the
// call may write; a count above that is cut to it.
std::uint32_t EnumerateDisplayGpus(Vendor& vendor, SlotTable& table) {
  std::uint32_t count = 0;
  if (vendor.nvapi.NvAPI_EnumPhysicalGPUs(table.gpuHandles.data(), &count) != nvapi::kOk) {
    return 0;
  }
  return std::min(count, kHandleCapacity);
}

// The compute-only GPUs, appended behind the first `used` handles. The driver writes into a
// buffer of its own full size; only what still fits into the table is copied and counted.
std::uint32_t AppendComputeGpus(Vendor& vendor, SlotTable& table, std::uint32_t used) {
  std::array<NvPhysicalGpuHandle, kHandleCapacity> compute{};
  std::uint32_t count = 0;
  if (vendor.nvapi.NvAPI_EnumTCCPhysicalGPUs(compute.data(), &count) != nvapi::kOk) return 0;
  const std::uint32_t fitting = std::min({count, kHandleCapacity, kHandleCapacity - used});
  std::copy_n(compute.begin(), fitting, table.gpuHandles.begin() + used);
  return fitting;
}

}  // namespace

NvAPI_Status EnumerateGpus(Vendor& vendor, SlotTable& table) {
  table.gpuCount.Store(0);
  const NvAPI_Status status = vendor.nvapi.NvAPI_Initialize();
  if (status != nvapi::kOk) return status;

  std::uint32_t count = EnumerateDisplayGpus(vendor, table);
  table.gpuCount.Store(static_cast<std::int32_t>(count));
  count += AppendComputeGpus(vendor, table, count);
  table.gpuCount.Store(static_cast<std::int32_t>(count));
  return count == 0 ? kNoGpuFound : nvapi::kOk;
}

}  // namespace gpu
