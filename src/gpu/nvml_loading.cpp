#include "gpu/nvml_loading.h"

#include "gpu/discovery_texts.h"

namespace gpu {
namespace {

// Plain loading by path, as LoadLibrary would do it.
constexpr std::uint32_t kPlainLoad = 0;

platform::ModuleHandle LoadFirst(platform::SystemApi& system,
                                 const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths) {
    if (platform::ModuleHandle module = system.LoadLibraryEx(path, kPlainLoad)) return module;
  }
  return nullptr;
}

// A module without the nvmlInit export counts as a failed initialisation.
bool InitializeNvml(NvmlLibrary& nvml) {
  const auto init = nvml.Find<nvml::InitFn>(nvml::kInit);
  return init != nullptr && init() == nvml::kSuccess;
}

}  // namespace

std::vector<std::wstring> NvmlCandidatePaths(std::wstring_view systemRoot) {
  std::vector<std::wstring> paths{kNvmlSmiPath, kNvmlWindowsPath};
  if (!systemRoot.empty()) paths.push_back(std::wstring(systemRoot) + kNvmlSystemRootSuffix);
  return paths;
}

void LoadNvml(Vendor& vendor, std::wstring_view systemRoot, MessageSink& messages) {
  const platform::ModuleHandle module = LoadFirst(vendor.system, NvmlCandidatePaths(systemRoot));
  if (module == nullptr) {
    messages.Show(kNvmlLoadFailedText);
    return;
  }
  vendor.nvml.SetModule(module);
  if (!InitializeNvml(vendor.nvml)) messages.Show(kNvmlInitFailedText);
}

}  // namespace gpu
