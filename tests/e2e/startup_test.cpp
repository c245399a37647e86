// A normal start with one, two and three GPUs: the main window, its children, the tab labels
// before and after the first sampling cycle, the selected tab and the information box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_steps.h"

namespace e2e {
namespace {

using Labels = std::vector<std::string>;

class StartUp : public AppTest {
 protected:
  void ExpectStart(const char* scenario, const Labels& atStart, const Labels& afterCycle,
                   int displayTab, const wchar_t* displayName) {
    ASSERT_TRUE(Start(scenario));
    // The first cycle is held back by the scenario, so these are the labels of start-up.
    EXPECT_EQ(TabLabels(app->Handle(), TabControl(main)), atStart);
    EXPECT_EQ(SelectedTab(TabControl(main)), displayTab);
    EXPECT_EQ(WindowText(InfoBox(main)), displayName);
    EXPECT_EQ(WaitForTabLabels(*app, main, afterCycle), afterCycle);
    EXPECT_EQ(SelectedTab(TabControl(main)), displayTab);
    EXPECT_EQ(WindowText(InfoBox(main)), displayName);
  }
};

TEST_F(StartUp, OneGpuIsMarkedAtStartAndBareAfterTheFirstCycle) {
  ExpectStart("e2e-one-gpu.txt", {"Quorvane Sim Solo (UNKNOWN)"}, {"Quorvane Sim Solo"}, 0,
              L"Quorvane Sim Solo");
}

TEST_F(StartUp, TwoGpusInBusOrderWithTheDisplayGpuSelected) {
  ExpectStart("e2e-two-gpus.txt", {"Quorvane Sim Beta(1)", "Quorvane Sim Alpha(2) (UNKNOWN)"},
              {"Quorvane Sim Beta(1)", "Quorvane Sim Alpha(2)"}, 1, L"Quorvane Sim Alpha");
}

TEST_F(StartUp, ThreeGpusMarkOnlyTheOneOnThePrimaryDisplay) {
  ExpectStart("e2e-three-gpus.txt",
              {"Quorvane Sim Alpha(1)", "Quorvane Sim Beta(2) (UNKNOWN)", "Quorvane Sim Gamma(3)"},
              {"Quorvane Sim Alpha(1)", "Quorvane Sim Beta(2)", "Quorvane Sim Gamma(3)"}, 1,
              L"Quorvane Sim Beta");
}

TEST_F(StartUp, MainWindowAndChildrenAsCreated) {
  ASSERT_TRUE(Start("e2e-two-gpus.txt"));
  EXPECT_EQ(WindowText(main), L"Quorvane");
  const SIZE size = OuterSize(main);
  EXPECT_EQ(size.cx, 900);
  EXPECT_EQ(size.cy, 520);
  // Centred: x = screen width / 2 - W / 2, y = screen height / 2 - (H - 20) / 2.
  RECT rect = {};
  GetWindowRect(main, &rect);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 450);
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 250);
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0) << "the maximise box is removed";
  EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
  EXPECT_EQ(GetMenu(main), nullptr);

  const std::vector<std::wstring> captions = {L"Graphics Clock",     L"Graphics Clock 履歴",
                                              L"Memory Clock",       L"Memory Clock 履歴",
                                              L"GPU Load",           L"GPU Load 履歴",
                                              L"Memory Usage",       L"Memory Usage 履歴",
                                              L"Temperature",        L"Temperature 履歴",
                                              L"Power Draw",         L"Power Draw 履歴",
                                              L"Quorvane Sim Alpha", L"CSV 出力",
                                              L"Screen Shot",        L"詳細モード"};
  const auto children = ChildWindows(main);
  ASSERT_EQ(children.size(), static_cast<std::size_t>(kChildCount));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(children[i].className, "Button");
    EXPECT_EQ(children[i].text, captions[i]);
    const LONG kind = GetWindowLongA(children[i].window, GWL_STYLE) & BS_TYPEMASK;
    EXPECT_EQ(kind, i < 13 ? BS_GROUPBOX : BS_AUTOCHECKBOX);
    EXPECT_EQ(children[i].id, i < 13 ? 1100 : 0);
  }
  EXPECT_EQ(children[16].className, "SysTabControl32");
  EXPECT_EQ(children[16].id, 16);
}

}  // namespace
}  // namespace e2e
