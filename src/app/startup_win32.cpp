#include "app/startup_win32.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/app_state_win32.h"
#include "app/checkbox_host_win32.h"
#include "app/child_controls.h"
#include "app/main_window_win32.h"
#include "app/startup_texts.h"
#include "app/window_layout.h"
#include "display/paint_geometry.h"
#include "display/skin_surfaces_win32.h"
#include "gpu/checkbox_texts.h"
#include "gpu/discovery.h"
#include "gpu/discovery_texts.h"
#include "gpu/info_line.h"
#include "gpu/sampler.h"
#include "gpu/sampling_thread_win32.h"
#include "gpu/windows_version.h"

namespace app {
namespace {

void ShowMessage(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), gpu::kMessageCaption, MB_OK);
}

// A failure that ends the start-up; `stopsThreads` clears the run flag first.
bool Fail(const std::wstring& text, bool stopsThreads = true) {
  if (stopsThreads) gpu::ProcessSlotTable().appRunning.Store(0);
  ShowMessage(text);
  return false;
}

class StartupMessages final : public gpu::MessageSink {
 public:
  void Show(const std::wstring& text) override { ShowMessage(text); }
};

Point CentredStart(HWND window) {
  RECT outer = {};
  GetWindowRect(window, &outer);
  return CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                         outer.right - outer.left, outer.bottom - outer.top);
}

void MoveToCentreWithoutMaximise(HWND window, Point position) {
  SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~WS_MAXIMIZEBOX);
}

bool OperatingSystemSupported() {
  gpu::WindowsVersion version;
  return gpu::ReadWindowsVersion(version) &&
         gpu::ApplyWindowsVersion(gpu::ProcessSlotTable(), version.major, version.minor);
}

void ReportCurrentDirectory() {
  char directory[261] = {};
  GetCurrentDirectoryA(sizeof(directory), directory);
  OutputDebugStringA(directory);
}

std::wstring SystemRoot() {
  const wchar_t* root = _wgetenv(L"SystemRoot");
  return root == nullptr ? std::wstring() : std::wstring(root);
}

// Steps from the main window to the centred window: false after a failure's message box.
bool CreateWindows(HINSTANCE instance) {
  State().instance = instance;
  InitCommonControls();
  HWND window = CreateMainWindow();
  if (window == nullptr) return Fail(kWindowFailedText);
  const Point centre = CentredStart(window);
  if (!CreateChildControls()) return Fail(kWindowFailedText);
  if (!CreateFonts()) return Fail(kFontFailedText, false);
  for (HWND child : State().children) ApplyUiFont(child);
  switch (display::LoadSkinResource(instance)) {
    case display::SkinLoadResult::kNotFound:
      return Fail(kResourceMissingText);
    case display::SkinLoadResult::kNotLoadable:
      return Fail(kResourceUnloadableText);
    case display::SkinLoadResult::kLoaded:
      break;
  }
  MoveToCentreWithoutMaximise(window, centre);
  return true;
}

// Steps from the operating-system test to the sampling thread.
bool StartMonitoring() {
  if (!OperatingSystemSupported()) return Fail(gpu::kOsUnsupportedText);
  ReportCurrentDirectory();
  StartupMessages messages;
  const gpu::DiscoveryResult discovery =
      gpu::DiscoverGpus(gpu::ProcessVendor(), gpu::ProcessSlotTable(), SystemRoot(), messages);
  if (!discovery.Ready()) return Fail(discovery.FailureText());
  CreateTabs();
  const int count = gpu::ProcessSlotTable().gpuCount.Load();
  for (int slot = 0; slot < count && slot < gpu::kMaxGpus; ++slot) {
    gpu::RefreshInfoFacts(gpu::ProcessVendor(), gpu::ProcessSlotTable(), slot);
  }
  const auto start = [] {
    return gpu::StartSamplingThread(
        gpu::ProcessVendor(), gpu::ProcessSlotTable(),
        {State().mainWindow, State().tabControl, &PollProcessCheckboxes, &ShowInfoLine});
  };
  return gpu::StartSampling(gpu::ProcessSlotTable(), start, messages);
}

}  // namespace

bool InitializeApplication(HINSTANCE instance, int showCommand) {
  if (!CreateWindows(instance) || !StartMonitoring()) return false;
  ShowInfoLine();
  AppState& state = State();
  display::BuildSkinSurfaces(state.mainWindow);
  state.panelSurface =
      std::make_unique<display::Canvas>(display::kPanelSurfaceWidth, display::kPanelSurfaceHeight);
  ShowWindow(state.mainWindow, showCommand);
  UpdateWindow(state.mainWindow);
  return true;
}

}  // namespace app
