#include "driver_steps.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "driver/child_windows.h"
#include "driver/dialog_controls.h"
#include "driver/dialog_window.h"
#include "driver/main_check_boxes.h"
#include "driver/process_windows.h"
#include "driver/save_dialog.h"
#include "driver/wait.h"

namespace bench {
namespace {

constexpr int kLogStartButton = 1011;  // "CSV出力" in the log settings dialog
constexpr std::size_t kChildCount = 17;

}  // namespace

void Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vprintf(format, arguments);
  va_end(arguments);
  std::printf("\n");
  std::fflush(stdout);
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

HWND WaitForMainWindow(const e2e::AppProcess& app) {
  HWND main = nullptr;
  e2e::WaitUntil(
      [&] {
        main = e2e::FindMainWindow(app.Id());
        return main != nullptr && IsWindowVisible(main) &&
               e2e::ChildWindows(main).size() >= kChildCount;
      },
      kTimeoutMs);
  return main;
}

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

}  // namespace bench
