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

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr int kLogStartButton = 1011;  // "CSV出力" in the log settings dialog

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

void Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vprintf(format, arguments);
  va_end(arguments);
  std::printf("\n");
  std::fflush(stdout);
}

HWND WaitForMainWindow(const e2e::AppProcess& app) {
  HWND main = nullptr;
  e2e::WaitUntil(
      [&] {
        main = e2e::FindMainWindow(app.Id());
        return main != nullptr && IsWindowVisible(main) && e2e::ChildWindows(main).size() >= 17;
      },
      kTimeoutMs);
  return main;
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

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

// Ticks "CSV 出力", names the file and starts the log with the dialog's settings (every item of
// every GPU, one record a second).
bool StartCsvLog(const e2e::AppProcess& app, HWND main, const std::string& path) {
  if (!e2e::SetButtonCheck(e2e::MainCheckBox(main, e2e::kCsvBoxCaption), true)) return false;
  HWND save = e2e::WaitForDialog(app.Id(), e2e::kSaveDialogTitle, kTimeoutMs);
  // The dialog takes a Windows path: "Z:/tmp/a.csv" becomes "Z:\tmp\a.csv".
  std::wstring name = Wide(path);
  std::replace(name.begin(), name.end(), L'/', L'\\');
  if (save == nullptr || !e2e::AcceptSaveDialog(save, name)) return false;
  HWND dialog = e2e::WaitForDialog(app.Id(), L"出力項目", kTimeoutMs);
  if (dialog == nullptr || !e2e::PostClick(dialog, kLogStartButton)) return false;
  return e2e::WaitGone(dialog, kTimeoutMs);
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
