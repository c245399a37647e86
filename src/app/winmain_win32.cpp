// The program's entry point: single instance, start-up, message loop.
#include <windows.h>

#include "app/app_state_win32.h"
#include "app/main_window_win32.h"
#include "app/startup_win32.h"
#include "gpu/gpu_slots.h"
#include "resource_ids.h"

namespace {

int RunMessageLoop(HINSTANCE instance) {
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resources::kAcceleratorTable));
  MSG message = {};
  // GetMessage gives -1 on an error; that ends the loop like WM_QUIT.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  gpu::ProcessSlotTable().appRunning.Store(1);
  app::AppState& state = app::State();
  state.instanceMutex = CreateMutexA(nullptr, TRUE, "Quorvane.exe");
  if (state.instanceMutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  LoadStringA(instance, resources::kTitleString, state.windowTitle, sizeof(state.windowTitle));
  LoadStringA(instance, resources::kClassString, state.windowClassName,
              sizeof(state.windowClassName));
  state.instance = instance;
  app::RegisterMainWindowClass();
  if (!app::InitializeApplication(instance, showCommand)) return 0;
  return RunMessageLoop(instance);
}
