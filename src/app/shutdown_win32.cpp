#include "app/shutdown_win32.h"

#include "app/app_state_win32.h"
#include "display/skin_surfaces_win32.h"
#include "gpu/gpu_slots.h"
#include "gpu/vendor.h"
#include "platform/write_gate.h"

namespace app {
namespace {

// A CSV row or a picture takes milliseconds to write; the wait is bounded all the same, as the
// process must end even when a disk stalls.
constexpr std::uint32_t kWriteEndMs = 500;

}  // namespace

void ReleaseEverything() {
  // The threads that are never joined stop at their next test, and no file or console write
  // begins any more; one under way gets a moment to end, so that no record is left torn.
  gpu::ProcessSlotTable().appRunning.Store(0);
  platform::ProcessWriteGate().Shut(kWriteEndMs);
  AppState& state = State();
  display::ReleaseSkinSurfaces();
  state.panelSurface.reset();
  state.backBuffer.reset();
  DeleteObject(state.uiFont);
  DeleteObject(state.smallFont);
  state.uiFont = state.smallFont = nullptr;
  ReleaseMutex(state.instanceMutex);
  CloseHandle(state.instanceMutex);
  state.instanceMutex = nullptr;
  gpu::ProcessVendor().nvapi.NvAPI_Unload();
  PostQuitMessage(0);
}

}  // namespace app
