// The whole GPU discovery of start-up, in its order: reset of the slot table, driver API and
// enumeration, nvml.dll, slot order, names with the cap at eight, fixed clock ceilings and
// record versions. Each step is also callable on its own (see the headers included here).
#pragma once

#include <string>
#include <string_view>

#include "gpu/display_gpu.h"
#include "gpu/fixed_clock_boards.h"
#include "gpu/gpu_enumeration.h"
#include "gpu/gpu_names.h"
#include "gpu/gpu_slots.h"
#include "gpu/message_sink.h"
#include "gpu/nvml_loading.h"
#include "gpu/slot_ordering.h"
#include "gpu/vendor.h"
#include "gpu/version_probing.h"

namespace gpu {

enum class DiscoveryOutcome {
  kReady,           // start-up goes on
  kNvapiFailed,     // NVAPI did not initialise or found no GPU; `status` tells which
  kNameUnreadable,  // a GPU name could not be read
};

struct DiscoveryResult {
  DiscoveryOutcome outcome = DiscoveryOutcome::kReady;
  NvAPI_Status status = nvapi::kOk;  // the enumeration's result

  bool Ready() const { return outcome == DiscoveryOutcome::kReady; }
  // The message start-up shows before it ends; empty when it goes on.
  std::wstring FailureText() const;
};

// Runs the discovery. Warnings (nvml.dll, more than eight GPUs) go to `messages` and the
// discovery goes on; a failure stops it at once and is only reported in the result, for
// start-up to show. `systemRoot` is the SystemRoot environment variable (empty when unset).
DiscoveryResult DiscoverGpus(Vendor& vendor, SlotTable& table, std::wstring_view systemRoot,
                             MessageSink& messages);

}  // namespace gpu
