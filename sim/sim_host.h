// A SystemApi under which the program's loaders find the in-process simulator: "nvapi64.dll" in
// the system directory and nvml.dll at its first documented place. The management library's
// module answers by name exactly as the scenario says (absent functions are not found). For
// native tests, benchmarks and the hardware check.
#pragma once

#include <string>
#include <vector>

#include "platform/system_api.h"
#include "sim/sim.h"

namespace sim {

class SimSystem final : public platform::SystemApi {
 public:
  static constexpr const wchar_t* kNvmlPath = L"C:/Program Files/NVIDIA Corporation/NVSMI/nvml.dll";

  bool BuildNumberAtLeast(std::uint32_t) override { return true; }
  std::wstring SystemDirectory() override { return L"C:\\Windows\\system32"; }

  platform::ModuleHandle LoadLibraryEx(const std::wstring& file, std::uint32_t) override {
    ++loads;
    if (file == L"msasn1.dll" || file == L"cryptnet.dll") return &crypto_;
    if (file == L"nvapi64.dll" && sim::NvapiLibraryPresent()) return &nvapi_;
    if (file == kNvmlPath && sim::NvmlLibraryPresent()) return &nvml_;
    lastError_ = platform::kErrorModNotFound;
    return nullptr;
  }

  void* FindSymbol(platform::ModuleHandle module, const char* name) override {
    ++lookups;
    if (module == &nvapi_ && std::string(name) == "nvapi_QueryInterface") {
      return reinterpret_cast<void*>(&SimNvapiQueryInterface);
    }
    if (module == &nvml_) return sim::NvmlFunction(name);
    return nullptr;
  }

  void ReleaseModule(platform::ModuleHandle) override {}
  std::uint32_t LastError() override { return lastError_; }
  void SetLastError(std::uint32_t error) override { lastError_ = error; }
  void SleepMs(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }

  int loads = 0;
  long lookups = 0;
  std::vector<std::uint32_t> sleeps;

 private:
  char crypto_ = 0, nvapi_ = 0, nvml_ = 0;
  std::uint32_t lastError_ = 0;
};

}  // namespace sim
