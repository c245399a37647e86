#include "app/shutdown_win32.h"

#include "app/app_state_win32.h"
#include "app/skin_steps_win32.h"
#include "gpu/vendor.h"

namespace app {

void ReleaseEverything() {
  AppState& state = State();
  ReleaseSkin();
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
