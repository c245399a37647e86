// The caption of a slot's tab: the GPU's name with the tab number, or in detail mode the name
// with the bus number, the PCI Express link and the connectors of the attached displays, from
// fresh vendor queries.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"

namespace gpu {

inline constexpr std::size_t kCaptionSize = 100;  // 99 characters and the terminator
// Display records asked for at most, whatever count the driver reports.
inline constexpr std::uint32_t kMaxDisplayRecords = 16;

// Composes the caption of `slot` into `caption`, cut at 99 characters. A slot outside the ones
// in use gets an empty caption and no vendor call is made. Name characters outside printable
// ASCII become '?'; a slot without a name contributes no name.
void BuildTabCaption(Vendor& vendor, SlotTable& table, int slot, char (&caption)[kCaptionSize]);

}  // namespace gpu
