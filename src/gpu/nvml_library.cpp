#include "gpu/nvml_library.h"

#include <cstring>

namespace gpu {

void NvmlLibrary::SetModule(platform::ModuleHandle module) {
  module_ = module;
  cache_ = {};
}

void* NvmlLibrary::FindSymbol(const char* name) {
  if (module_ == nullptr) return nullptr;
  if (lookup_ == NvmlLookup::kEveryUse) return system_.FindSymbol(module_, name);
  for (CacheEntry& slot : cache_) {
    if (slot.name == nullptr) {
      slot = {name, system_.FindSymbol(module_, name)};
      return slot.entry;
    }
    if (std::strcmp(slot.name, name) == 0) return slot.entry;
  }
  return system_.FindSymbol(module_, name);  // more names than the cache holds
}

bool NvmlLibrary::Device(std::uint32_t index, nvmlDevice_t* device) {
  const auto byIndex = Find<nvml::DeviceGetHandleByIndexFn>(nvml::kDeviceGetHandleByIndex);
  *device = nullptr;
  return byIndex != nullptr && byIndex(index, device) == nvml::kSuccess;
}

}  // namespace gpu
