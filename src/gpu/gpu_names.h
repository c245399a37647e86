// The GPUs' full names, and the cap at eight GPUs that comes with reading them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gpu/gpu_slots.h"
#include "gpu/message_sink.h"
#include "gpu/vendor.h"

namespace gpu {

// Wide characters kept of a name, the terminator not counted.
inline constexpr std::size_t kMaxNameCharacters = 39;

// Widens the ANSI name in `ansi` (64 bytes, terminated or not: nothing past them is read) into
// `wide`: at most 39 characters, always terminated. Bytes of 0x80 and above are taken as
// Latin-1, so every byte gives the character of the same value. Returns the characters written.
std::size_t WidenGpuName(const char (&ansi)[nvapi::kShortStringSize],
                         wchar_t (&wide)[kNameBufferLength]);

// Reads the name of the GPU at `handleIndex` into that handle's name buffer and points the
// slot's gpuName at it. False when the driver cannot give the name (or either index is
// outside its table); the slot is then left as it was.
bool ReadGpuName(Vendor& vendor, SlotTable& table, std::uint32_t slot, std::uint32_t handleIndex);

// Reads the name of every slot in use. At a ninth GPU, gpuCount becomes 8 and
// kTooManyGpusText is shown once, after the eight names. Returns false at the first name that
// cannot be read (start-up then shows kGpuNameFailedText), true otherwise.
bool ReadGpuNames(Vendor& vendor, SlotTable& table, MessageSink& messages);

}  // namespace gpu
