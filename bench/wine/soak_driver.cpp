// The Windows side of scripts/soak: keeps quorvane.exe busy for a long run as a user would, with
// a CSV log at one record a second, a tab click and a resize every few seconds and a screenshot
// request every few minutes, and says on standard output what it did and what the program holds
// at the start and at the end ("start", "end"), so that the script reads the Unix-side memory
// figures at those moments.
//   soak_driver EXE SCENARIO FOLDER MINUTES [SHOT_EVERY_S [OFF]]   (a screenshot every 180 s by
//   default; OFF names what this run leaves out, any of "log", "shots", "tabs" and "resizes"
//   joined by commas, so that soaks without one of them tell which one a growth comes with)
// FOLDER is a Windows path (Z:\...) for soak.csv and the pictures shot-N.bmp.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/app_process.h"
#include "driver/combo_box.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/file_bytes.h"
#include "driver/main_check_boxes.h"
#include "driver/resource_counts.h"
#include "driver/save_dialog.h"
#include "driver/tab_control.h"
#include "driver/wait.h"
#include "driver/window_control.h"
#include "driver_steps.h"

namespace {

using bench::Say;

constexpr DWORD kStepMs = 4000;         // a tab click and a resize
constexpr int kShotEverySeconds = 180;  // a screenshot request
constexpr int kTriggerCombo = 1025;
constexpr int kShotConfirmButton = 1;
constexpr int kLowestTriggerIndex = 0;  // 38 degrees: every simulated GPU is warmer, so it fires
constexpr SIZE kSizes[] = {{900, 520}, {1200, 900}, {1040, 700}};

void SayResources(const char* when, const e2e::AppProcess& app) {
  const e2e::ResourceCounts counts = e2e::CountResources(app.Handle());
  Say("%s handles %lu gdi %lu user %lu", when, counts.handles, counts.gdiObjects,
      counts.userObjects);
  std::string types;
  for (const auto& [type, count] : e2e::HandlesByType(app.Handle())) {
    // Appended piece by piece: GCC 12 warns falsely about `+` chains of strings.
    types.append(" ").append(std::to_string(type)).append(":").append(std::to_string(count));
  }
  Say("handle types (type:count)%s", types.c_str());
}

// One request through the two dialogs; the picture's size once the program has written it and
// turned the box off, or -1.
long long Screenshot(const e2e::AppProcess& app, HWND main, const std::wstring& path) {
  if (!e2e::SetButtonCheck(e2e::MainCheckBox(main, e2e::kShotBoxCaption), true)) return -1;
  HWND save = e2e::WaitForDialog(app.Id(), e2e::kSaveDialogTitle, bench::kTimeoutMs);
  if (save == nullptr || !e2e::AcceptSaveDialog(save, path)) return -1;
  HWND dialog = e2e::WaitForDialog(app.Id(), L"Screen Shot 設定", bench::kTimeoutMs);
  if (dialog == nullptr) return -1;
  if (!e2e::SelectComboEntry(GetDlgItem(dialog, kTriggerCombo), kLowestTriggerIndex) ||
      !e2e::PostClick(dialog, kShotConfirmButton) || !e2e::WaitGone(dialog, bench::kTimeoutMs)) {
    return -1;
  }
  const bool written = e2e::WaitUntil(
      [&] {
        return e2e::FileExists(path) &&
               e2e::ButtonCheck(e2e::MainCheckBox(main, e2e::kShotBoxCaption)) == BST_UNCHECKED;
      },
      bench::kTimeoutMs);
  if (!written) return -1;
  const auto bytes = e2e::ReadFileBytes(path);
  return bytes ? static_cast<long long>(bytes->size()) : -1;
}

// What a run does; each can be left out.
struct Activities {
  bool log = true, shots = true, tabs = true, resizes = true;
};

bool ReadActivities(const char* off, Activities& activities) {
  std::string rest = off;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string name = rest.substr(0, comma);
    rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
    if (name == "log") {
      activities.log = false;
    } else if (name == "shots") {
      activities.shots = false;
    } else if (name == "tabs") {
      activities.tabs = false;
    } else if (name == "resizes") {
      activities.resizes = false;
    } else if (!name.empty()) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int shotEverySeconds = argc >= 6 ? std::atoi(argv[5]) : kShotEverySeconds;
  Activities activities;
  if (argc < 5 || argc > 7 || std::atoi(argv[4]) <= 0 || shotEverySeconds <= 0 ||
      (argc == 7 && !ReadActivities(argv[6], activities))) {
    std::fprintf(stderr,
                 "usage: soak_driver EXE SCENARIO FOLDER MINUTES [SHOT_EVERY_S [OFF]]\n"
                 "  OFF: any of log, shots, tabs, resizes, joined by commas\n");
    return 2;
  }
  const ULONGLONG shotEveryMs = static_cast<ULONGLONG>(shotEverySeconds) * 1000;
  const std::wstring folder = bench::Wide(argv[3]);
  const ULONGLONG runMs = static_cast<ULONGLONG>(std::atoi(argv[4])) * 60000;
  e2e::AppProcess app(argv[1], argv[2]);
  HWND main = app.Started() ? bench::WaitForMainWindow(app) : nullptr;
  if (main == nullptr) {
    std::fprintf(stderr, "soak_driver: the program's main window did not appear\n");
    return 1;
  }
  std::string csv = argv[3];
  csv += "\\soak.csv";
  if (activities.log && !bench::StartCsvLog(app, main, csv)) {
    std::fprintf(stderr, "soak_driver: the CSV log could not be started\n");
    return 1;
  }
  Sleep(5000);  // the first records and cycles are behind us
  SayResources("start", app);
  const ULONGLONG begin = GetTickCount64();
  ULONGLONG nextShot = begin + shotEveryMs;
  int steps = 0, clicks = 0, resizes = 0, shots = 0;
  HWND tabs = FindWindowExA(main, nullptr, "SysTabControl32", nullptr);
  while (GetTickCount64() - begin < runMs && app.Running()) {
    Sleep(kStepMs);
    ++steps;
    // Tabs that the strip scrolls out of sight cannot be clicked; those are counted as misses.
    if (activities.tabs && e2e::ClickTab(app.Handle(), tabs, steps % 8)) ++clicks;
    const SIZE size = kSizes[steps % 3];
    if (activities.resizes && e2e::RequestOuterSize(main, size.cx, size.cy)) ++resizes;
    if (activities.shots && GetTickCount64() >= nextShot) {
      ++shots;
      const std::wstring path = folder + L"\\shot-" + std::to_wstring(shots) + L".bmp";
      const long long bytes = Screenshot(app, main, path);
      Say("screenshot %d bytes %lld at %llu s, handles then %lu", shots, bytes,
          (GetTickCount64() - begin) / 1000, e2e::CountResources(app.Handle()).handles);
      nextShot += shotEveryMs;
    }
    if (steps % 75 == 0) Say("running %llu s", (GetTickCount64() - begin) / 1000);
  }
  if (!app.Running()) {
    Say("the program ended on its own after %llu s", (GetTickCount64() - begin) / 1000);
    return 1;
  }
  SayResources("end", app);
  Say("steps %d tab clicks %d resizes %d screenshots %d", steps, clicks, resizes, shots);
  Sleep(2000);  // the script reads the memory figures meanwhile
  PostMessageW(main, WM_CLOSE, 0, 0);
  const auto code = app.WaitExit(bench::kTimeoutMs);
  Say("exit %ld", code ? static_cast<long>(*code) : -1L);
  return code && *code == 0 ? 0 : 1;
}
