// The Windows side of scripts/measure-cpu: starts quorvane.exe on a scenario, optionally starts a
// CSV log at one record a second, names the program's windows, and keeps the program running
// for the warm-up and the measured stretch, announcing each on standard output so that the
// script reads the Unix-side counters at the right moments. It measures nothing itself.
//   measure_driver EXE SCENARIO WARMUP_S MEASURE_S [--csv PATH] [--trace]
// --trace starts the program with Wine's request trace on its standard error.
#include <windows.h>
// After windows.h.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "driver/app_process.h"
#include "driver/child_windows.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/main_check_boxes.h"
#include "driver/process_windows.h"
#include "driver/save_dialog.h"
#include "driver/wait.h"
#include "driver_steps.h"

namespace {

using bench::kTimeoutMs;
using bench::Say;
using bench::StartCsvLog;
using bench::WaitForMainWindow;

struct Options {
  std::string exe, scenario, csvPath;
  int warmupSeconds = 0, measureSeconds = 0;
  bool trace = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc < 5) return false;
  options.exe = argv[1];
  options.scenario = argv[2];
  options.warmupSeconds = std::atoi(argv[3]);
  options.measureSeconds = std::atoi(argv[4]);
  for (int i = 5; i < argc; ++i) {
    if (std::strcmp(argv[i], "--trace") == 0) {
      options.trace = true;
    } else if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc) {
      options.csvPath = argv[++i];
    } else {
      return false;
    }
  }
  return options.warmupSeconds >= 0 && options.measureSeconds > 0;
}

// The window handles as Wine's trace writes them, with what each window is.
void NameWindows(HWND main) {
  Say("window %08x main", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(main)));
  for (const e2e::ChildWindow& child : e2e::ChildWindows(main)) {
    char caption[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, child.text.c_str(), -1, caption, sizeof caption - 1, nullptr,
                        nullptr);
    Say("window %08x %s \"%s\"", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(child.window)),
        child.className.c_str(), caption);
  }
}

// The program's threads, as Wine's request trace numbers them.
void NameThreads(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == processId) Say("thread %04x", entry.th32ThreadID);
  }
  CloseHandle(snapshot);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: measure_driver EXE SCENARIO WARMUP_S MEASURE_S [--csv PATH] [--trace]\n");
    return 2;
  }
  if (options.trace) SetEnvironmentVariableA("WINEDEBUG", "+server");
  e2e::AppProcess app(options.exe, options.scenario);
  if (options.trace) SetEnvironmentVariableA("WINEDEBUG", "-all");
  HWND main = app.Started() ? WaitForMainWindow(app) : nullptr;
  if (main == nullptr) {
    std::fprintf(stderr, "measure_driver: the program's main window did not appear\n");
    return 1;
  }
  NameWindows(main);
  if (!options.csvPath.empty() && !StartCsvLog(app, main, options.csvPath)) {
    std::fprintf(stderr, "measure_driver: the CSV log could not be started\n");
    return 1;
  }
  Sleep(static_cast<DWORD>(options.warmupSeconds) * 1000);
  NameThreads(app.Id());
  Say("steady");
  Sleep(static_cast<DWORD>(options.measureSeconds) * 1000);
  Say("end");
  PostMessageW(main, WM_CLOSE, 0, 0);
  return app.WaitExit(kTimeoutMs) ? 0 : 1;
}
