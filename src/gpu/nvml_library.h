// The loaded management library. Entry points are looked up by name in the module at each use,
// as the program has always done; the cached mode exists so that a benchmark can measure what
// those look-ups cost.
#pragma once

#include <array>
#include <cstdint>

#include "gpu/nvml_abi.h"
#include "platform/system_api.h"

namespace gpu {

enum class NvmlLookup { kEveryUse, kCached };

class NvmlLibrary {
 public:
  explicit NvmlLibrary(platform::SystemApi& system, NvmlLookup lookup = NvmlLookup::kEveryUse)
      : system_(system), lookup_(lookup) {}

  void SetModule(platform::ModuleHandle module);
  platform::ModuleHandle Module() const { return module_; }
  bool Loaded() const { return module_ != nullptr; }

  // The entry point `name` as `Fn`, or null when there is no module or no such export.
  template <typename Fn>
  Fn Find(const char* name) {
    return reinterpret_cast<Fn>(FindSymbol(name));
  }

  // The NVML device of `index` (slot i is device i); false when it cannot be had.
  bool Device(std::uint32_t index, nvmlDevice_t* device);

 private:
  void* FindSymbol(const char* name);

  struct CacheEntry {
    const char* name = nullptr;
    void* entry = nullptr;
  };

  platform::SystemApi& system_;
  NvmlLookup lookup_;
  platform::ModuleHandle module_ = nullptr;
  std::array<CacheEntry, 24> cache_{};
};

}  // namespace gpu
