// Which version of each versioned driver record a GPU accepts, probed once at start-up from
// the newest version down, so that the sampler asks in a form the driver understands.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

// One try of a query with the record's version word; the record is zero apart from the version
// word and the query's inputs. A try may keep what it learns in the slot.
using ProbeAttempt = NvAPI_Status (*)(NvapiStub& nvapi, NvPhysicalGpuHandle gpu,
                                      std::uint32_t version, GpuSlot& slot);

inline constexpr std::size_t kMaxProbeTries = 4;
inline constexpr std::uint32_t kNoFallback = 0;
inline constexpr std::uint32_t kProbePauseMs = 1;

struct VersionProbe {
  ProbeAttempt attempt;
  std::array<std::uint32_t, kMaxProbeTries> versions;  // newest first; 0 ends the list early
  bool pausesBeforeRetry;
  U32 GpuSlot::*stored;    // where the accepted version goes; null when nothing is stored
  std::uint32_t fallback;  // stored untried when every try failed; kNoFallback for none
};

// Runs one probe for a slot: tries its versions in order, pausing 1 ms before a retry where the
// probe says so, and stores the first accepted version, else the fallback, else nothing.
// Returns whether a try succeeded.
bool RunVersionProbe(Vendor& vendor, const VersionProbe& probe, NvPhysicalGpuHandle gpu,
                     GpuSlot& slot);

// Every probe, for every slot in use.
void ProbeStructureVersions(Vendor& vendor, SlotTable& table);

}  // namespace gpu
