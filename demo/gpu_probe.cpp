// A console view of the program's GPU acquisition: the discovery of start-up, then three
// sampling cycles a second apart, printed slot by slot with the tab captions and the
// information line. It shows what the bench can show until the main window exists; it is not
// the monitor.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gpu/discovery.h"
#include "gpu/info_line.h"
#include "gpu/sampler.h"
#include "gpu/tab_caption.h"
#include "gpu/windows_version.h"

namespace {

std::string Utf8(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
  text.resize(text.empty() ? 0 : text.size() - 1);
  return text;
}

class ConsoleMessages final : public gpu::MessageSink {
 public:
  void Show(const std::wstring& text) override {
    std::printf("message box: %s\n", Utf8(text).c_str());
  }
};

class ConsoleWindow final : public gpu::CycleWindow {
 public:
  void SetTabCaption(int slot, const char* caption) override {
    std::printf("  tab %d: %s\n", slot, caption);
  }
  void PollCheckboxes() override {}
  void ShowInfoLine() override {
    char line[gpu::kInfoLineSize] = {};
    gpu::BuildInfoLine(gpu::ProcessSlotTable(), line);
    std::printf("  information line: %s\n", line);
  }
  gpu::WindowSize OuterSize() override { return {900, 520}; }
  void Invalidate(const gpu::RepaintRequest&) override {}
};

std::wstring SystemRoot() {
  const wchar_t* root = _wgetenv(L"SystemRoot");
  return root == nullptr ? std::wstring() : std::wstring(root);
}

std::string FanText(const gpu::GpuSlot& slot) {
  char text[64];
  if (slot.hasFanCoolerStatus.Load() != 0) {
    std::snprintf(text, sizeof(text), "fans %u%% %u rpm, %u%% %u rpm", slot.fanLevelPair[0].Load(),
                  slot.fanRpmPair[0].Load(), slot.fanLevelPair[1].Load(),
                  slot.fanRpmPair[1].Load());
  } else if (slot.hasFanLevel.Load() != 0) {
    std::snprintf(text, sizeof(text), "fan %u%%", slot.fanLevel.Load());
  } else {
    std::snprintf(text, sizeof(text), "fan: No Support");
  }
  return text;
}

void PrintSlot(int index, const gpu::GpuSlot& slot) {
  std::printf(
      "  slot %d: graphics %u MHz, memory %u MHz, load %u%%, %d C, %u.%03u W of %u W,"
      " memory %u of %u MiB, P%u, %s\n",
      index, slot.clockCurrent[gpu::kGraphics].Load() / 1000,
      slot.clockCurrent[gpu::kMemory].Load() / 1000, slot.gpuLoad.Load(), slot.temperature.Load(),
      slot.powerDraw.Load() / 1000, slot.powerDraw.Load() % 1000, slot.powerLimit.Load() / 1000,
      slot.memUsedKiB.Load() / 1024, slot.memTotalKiB.Load() / 1024, slot.pstate.Load(),
      FanText(slot).c_str());
}

}  // namespace

int main() {
  std::printf(
      "Quorvane GPU probe: the simulated GPUs as the program's acquisition code sees them.\n");
  std::printf("(The monitor window is not built yet; this console view is all there is.)\n");
  gpu::WindowsVersion version = {};
  if (gpu::ReadWindowsVersion(version)) {
    std::printf("Windows %u.%u: %s\n", version.major, version.minor,
                gpu::IsSupportedWindowsVersion(version.major, version.minor) ? "supported"
                                                                             : "not supported");
  }
  gpu::Vendor& vendor = gpu::ProcessVendor();
  gpu::SlotTable& table = gpu::ProcessSlotTable();
  ConsoleMessages messages;
  const gpu::DiscoveryResult result = gpu::DiscoverGpus(vendor, table, SystemRoot(), messages);
  if (!result.Ready()) {
    std::printf("message box: %s\n", Utf8(result.FailureText()).c_str());
    return 0;
  }
  const int display = gpu::FindDisplayGpu(vendor, table);
  table.selectedSlot.Store(display >= 0 ? display : 0);
  std::printf("%d GPU(s), display GPU: slot %d\n", table.gpuCount.Load(), display);

  char line[gpu::kInfoLineSize] = {};
  table.detailMode.Store(1);
  for (int slot = 0; slot < table.gpuCount.Load(); ++slot)
    gpu::RefreshInfoFacts(vendor, table, slot);
  gpu::BuildInfoLine(table, line);
  std::printf("information line (detail mode): %s\n", line);

  ConsoleWindow window;
  gpu::ShownCaptions shown;  // as the program, a caption is printed when it changes
  for (int cycle = 1; cycle <= 3; ++cycle) {
    std::printf("cycle %d\n", cycle);
    table.detailMode.Store(cycle == 3 ? 1 : 0);
    gpu::RunSamplingCycle(vendor, table, window, shown);
    for (int slot = 0; slot < table.gpuCount.Load(); ++slot) PrintSlot(slot, table.slots[slot]);
    std::fflush(stdout);
    table.sampleCount.Store(cycle);
    if (cycle < 3) Sleep(1000);
  }
  std::printf("NvAPI_Unload: %d\n", vendor.nvapi.NvAPI_Unload());
  return 0;
}
