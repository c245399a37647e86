// Loading nvml.dll from the places where the driver installs it, and initialising it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gpu/message_sink.h"
#include "gpu/vendor.h"

namespace gpu {

inline constexpr const wchar_t* kNvmlSmiPath =
    L"C:/Program Files/NVIDIA Corporation/NVSMI/nvml.dll";
inline constexpr const wchar_t* kNvmlWindowsPath = L"C:/Windows/System32/nvml.dll";
inline constexpr const wchar_t* kNvmlSystemRootSuffix = L"\\System32\\nvml.dll";

// The places tried, in order: the two fixed paths, then the System32 folder under
// `systemRoot` (the SystemRoot environment variable) unless that is empty.
std::vector<std::wstring> NvmlCandidatePaths(std::wstring_view systemRoot);

// Loads the first candidate that loads and gives it to `vendor.nvml`, then calls nvmlInit.
// No copy loaded: kNvmlLoadFailedText is shown and the library stays without a module.
// nvmlInit missing or failing: kNvmlInitFailedText is shown; the module stays set.
void LoadNvml(Vendor& vendor, std::wstring_view systemRoot, MessageSink& messages);

}  // namespace gpu
