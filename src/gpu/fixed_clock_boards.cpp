#include "gpu/fixed_clock_boards.h"

#include "gpu/discovery_counts.h"

namespace gpu {
namespace {

std::optional<std::uint32_t> ReadPciIdentifier(Vendor& vendor, NvPhysicalGpuHandle handle) {
  std::uint32_t device = 0, subsystem = 0, revision = 0, extended = 0;
  const NvAPI_Status status =
      vendor.nvapi.NvAPI_GPU_GetPCIIdentifiers(handle, &device, &subsystem, &revision, &extended);
  if (status != nvapi::kOk) return std::nullopt;
  return device;
}

}  // namespace

std::optional<FixedClockBoard> FindFixedClockBoard(std::uint32_t pciIdentifier) {
  for (const FixedClockBoard& board : kFixedClockBoards) {
    if (board.pciIdentifier == pciIdentifier) return board;
  }
  return std::nullopt;
}

void SeedFixedClocks(Vendor& vendor, SlotTable& table) {
  const std::uint32_t slots = SlotsInUse(table);
  for (std::uint32_t s = 0; s < slots; ++s) {
    GpuSlot& slot = table.slots[s];
    const std::optional<std::uint32_t> pci = ReadPciIdentifier(vendor, table.HandleOf(slot));
    if (!pci) continue;
    const std::optional<FixedClockBoard> board = FindFixedClockBoard(*pci);
    if (!board) continue;
    slot.fixedClockBoard.Store(1);
    slot.graphicsClockCeilingKHz.Store(board->graphicsClockCeilingKHz);
    slot.memoryClockCeilingKHz.Store(board->memoryClockCeilingKHz);
    slot.fixedGraphicsCeilingKHz.Store(board->graphicsClockCeilingKHz);
    slot.fixedMemoryCeilingKHz.Store(board->memoryClockCeilingKHz);
  }
}

}  // namespace gpu
