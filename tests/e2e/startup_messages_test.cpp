// Every start-up message from a scenario that provokes it: failures end the run with code 0 and
// never show the main window; warnings are followed by the main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_steps.h"

namespace e2e {
namespace {

void ExpectFailedStart(const char* scenario, const std::wstring& message) {
  auto app = Launch(scenario);
  ExpectMessageBoxAndDismiss(*app, message);
  // A main window shown after the box would be seen here before the end of the process.
  ExpectCleanExit(*app);
}

TEST(StartUpMessages, NoGpuFailsWithCodeMinus1000) {
  ExpectFailedStart("e2e-no-gpu.txt", L"NvAPIの初期化に失敗しました\nerrorcode -1000");
}

TEST(StartUpMessages, MissingDriverLibraryFailsWithCodeMinus2) {
  ExpectFailedStart("no-nvapi.txt", L"NvAPIの初期化に失敗しました\nerrorcode -2");
}

TEST(StartUpMessages, RefusedInitialisationShowsTheDriverStatus) {
  ExpectFailedStart("e2e-initialise-fails.txt", L"NvAPIの初期化に失敗しました\nerrorcode -6");
}

TEST(StartUpMessages, UnreadableNameFails) {
  ExpectFailedStart("e2e-name-unreadable.txt", L"GPU名を取得できません");
}

void ExpectWarningThenWindow(const char* scenario, const std::wstring& message, std::size_t tabs) {
  auto app = Launch(scenario);
  ExpectMessageBoxAndDismiss(*app, message);
  HWND main = ExpectMainWindow(*app);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TabLabels(app->Handle(), TabControl(main)).size(), tabs);
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr) << "only one message";
}

TEST(StartUpMessages, MissingManagementLibraryWarnsAndStarts) {
  ExpectWarningThenWindow("no-nvml.txt", L"nvml.dllのロードに失敗しました", 1);
}

TEST(StartUpMessages, RefusedManagementInitialisationWarnsAndStarts) {
  ExpectWarningThenWindow("e2e-nvml-init-fails.txt", L"NvMLの初期化に失敗しました", 1);
}

TEST(StartUpMessages, NineGpusWarnOnceAndKeepTheEightLowestBuses) {
  auto app = Launch("nine-gpus.txt");
  ExpectMessageBoxAndDismiss(*app,
                             L"ビデオカードが9枚以上存在します\n認識できるビデオカードは8枚までです"
                             L"\n8枚までを認識します");
  HWND main = ExpectMainWindow(*app);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr) << "the cap is told once";
  // Bus 15 is left out; no GPU drives a display, so no tab is marked and the first is selected.
  const std::vector<std::string> labels = {
      "Quorvane Sim Rack 4 (bus 1)(1)", "Quorvane Sim Rack 8 (bus 2)(2)",
      "Quorvane Sim Rack 2 (bus 3)(3)", "Quorvane Sim Rack 6 (bus 4)(4)",
      "Quorvane Sim Rack 9 (bus 6)(5)", "Quorvane Sim Rack 1 (bus 7)(6)",
      "Quorvane Sim Rack 5 (bus 9)(7)", "Quorvane Sim Rack 3 (bus 12)(8)"};
  EXPECT_EQ(TabLabels(app->Handle(), TabControl(main)), labels);
  EXPECT_EQ(SelectedTab(TabControl(main)), 0);
}

}  // namespace
}  // namespace e2e
