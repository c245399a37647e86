// A driver call that hangs: the window goes on answering, choosing tabs, following its size and
// painting while the sampling thread stands inside the driver, and closing still ends the
// process at once with code 0 and whole files.
#include <gtest/gtest.h>

#include <string>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kAnswerMs = 1000;  // what a user may wait for a tab click
constexpr DWORD kHangEndMs = 40000;
constexpr DWORD kStandStillMs = 2000;
constexpr DWORD kExitMs = 2000;

// Ticks detail mode and checks that no sampling cycle reads it: the sampling thread is hung.
void ExpectSamplingStandsStill(HWND main) {
  const std::wstring before = WindowText(InfoBox(main));
  SetMainBox(main, kDetailBoxCaption, true);
  EXPECT_FALSE(WaitUntil([&] { return WindowText(InfoBox(main)) != before; }, kStandStillMs))
      << "a cycle ran: " << WindowText(InfoBox(main));
}

// The window paints what is asked of it: an update region it is given is soon empty again.
bool Repaints(HWND main) {
  InvalidateRect(main, nullptr, FALSE);
  return WaitUntil([&] { return GetUpdateRect(main, nullptr, FALSE) == FALSE; }, kAnswerMs);
}

class HungDriver : public AppTest {};

TEST_F(HungDriver, TheWindowLivesThroughAHungSamplingCallAndSamplingGoesOnAfterIt) {
  ASSERT_TRUE(Start("e2e-hang-sampling.txt"));
  Sleep(3000);  // the second cycle, and with it the hang, has begun
  ExpectSamplingStandsStill(main);

  HWND tabs = TabControl(main);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 1));
  ExpectInfoLine(main, L"Quorvane Sim Beta", kAnswerMs);
  EXPECT_EQ(SelectedTab(tabs), 1);

  const RECT infoBefore = RectInParent(InfoBox(main));
  ASSERT_TRUE(RequestOuterSize(main, 1100, 800));
  const RECT infoAfter = RectInParent(InfoBox(main));
  EXPECT_FALSE(EqualRect(&infoBefore, &infoAfter)) << "the children did not follow the size";
  EXPECT_TRUE(Repaints(main));
  EXPECT_TRUE(Responds(main));

  // The hang ends: the next cycle reads the detail box and the line gains the counts.
  ExpectInfoLine(main, L"Quorvane Sim Beta (CUDA Core: 4352 / RT Core: 34 / Tensore Core: 136)",
                 kHangEndMs);
  ExpectCloseEndsWithCodeZero(*app, main);
}

TEST_F(HungDriver, AHungNameQueryDoesNotHoldUpATabClick) {
  ASSERT_TRUE(Start("e2e-hang-name.txt"));
  EXPECT_EQ(WindowText(InfoBox(main)), L"Quorvane Sim Alpha");
  Sleep(2000);  // the first cycle is inside the name query
  HWND tabs = TabControl(main);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 1));
  ExpectInfoLine(main, L"Quorvane Sim Beta", kAnswerMs);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 0));
  ExpectInfoLine(main, L"Quorvane Sim Alpha", kAnswerMs);
  EXPECT_TRUE(Repaints(main));
  ExpectCloseEndsWithCodeZero(*app, main, kExitMs);  // the query still hangs
}

TEST_F(HungDriver, ClosingDuringAHangEndsAtOnceWithCodeZeroAndAWholeLog) {
  const std::wstring path = folder.File(L"hung.csv");
  ASSERT_TRUE(Start("e2e-hang-while-logging.txt"));
  ASSERT_TRUE(StartLog(*app, main, path));
  ASSERT_GE(WaitForLines(path, 4, 10000).lines.size(), 4u) << "the log did not start";
  // Wait for the hang, then let the log go on beside it for a while.
  ASSERT_TRUE(WaitUntil([&] { return app->SecondsSinceStart() > 14; }, 20000));
  ExpectSamplingStandsStill(main);
  const std::size_t rowsInHang = ReadLog(path).lines.size();

  ExpectCloseEndsWithCodeZero(*app, main, kExitMs);

  const LogLines log = ReadLog(path);
  EXPECT_TRUE(log.wellFormed) << "the log ends in a torn line";
  EXPECT_GE(log.lines.size(), rowsInHang);
  for (std::size_t i = 2; i < log.lines.size(); ++i)
    EXPECT_EQ(CommaCount(log.lines[i]), CommaCount(log.lines[1])) << "line " << i + 1;
}

}  // namespace
}  // namespace e2e
