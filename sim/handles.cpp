#include "handles.h"

namespace sim {
namespace {

constexpr std::uintptr_t kStride = 0x10;
constexpr std::uintptr_t kNvapiBase = 0x51A00000;
constexpr std::uintptr_t kDeviceBase = 0x51B00000;
constexpr std::uintptr_t kUnitBase = 0x51C00000;

std::uintptr_t Encode(std::uintptr_t base, std::size_t index) {
  return base + index * kStride;
}

std::optional<std::size_t> Decode(std::uintptr_t base, const void* handle, std::size_t limit) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value < base || (value - base) % kStride != 0) return {};
  const std::size_t index = (value - base) / kStride;
  if (index >= limit) return {};
  return index;
}

}  // namespace

NvPhysicalGpuHandle NvapiHandle(std::size_t gpu) {
  return reinterpret_cast<NvPhysicalGpuHandle>(Encode(kNvapiBase, gpu));
}

nvmlDevice_t NvmlDevice(std::size_t nvmlIndex) {
  return reinterpret_cast<nvmlDevice_t>(Encode(kDeviceBase, nvmlIndex));
}

nvmlUnit_t NvmlUnit(std::size_t nvmlIndex) {
  return reinterpret_cast<nvmlUnit_t>(Encode(kUnitBase, nvmlIndex));
}

std::optional<std::size_t> GpuOfNvapiHandle(const SimState& state, const void* handle) {
  return Decode(kNvapiBase, handle, state.scenario.gpus.size());
}

std::optional<std::size_t> GpuOfNvmlIndex(const SimState& state, std::uintptr_t nvmlIndex) {
  if (nvmlIndex >= state.nvmlOrder.size()) return {};
  return state.nvmlOrder[nvmlIndex];
}

std::optional<std::size_t> GpuOfNvmlDevice(const SimState& state, const void* device) {
  const std::optional<std::size_t> index = Decode(kDeviceBase, device, state.nvmlOrder.size());
  if (!index) return {};
  return state.nvmlOrder[*index];
}

std::optional<std::size_t> GpuOfUnitIndex(const SimState& state, std::uintptr_t nvmlIndex) {
  const std::optional<std::size_t> gpu = GpuOfNvmlIndex(state, nvmlIndex);
  if (!gpu || state.scenario.gpus[*gpu].unit == UnitState::kNone) return {};
  return gpu;
}

std::optional<std::size_t> GpuOfNvmlUnit(const SimState& state, const void* unit) {
  const std::optional<std::size_t> index = Decode(kUnitBase, unit, state.nvmlOrder.size());
  if (!index) return {};
  return GpuOfUnitIndex(state, *index);
}

}  // namespace sim
