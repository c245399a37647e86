// Detail mode follows its box: the information line gains the core counts, the tab captions the
// bus number and link (and connectors), and both return to the plain form when it is unticked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging_steps.h"

namespace e2e {
namespace {

using Labels = std::vector<std::string>;

class DetailMode : public AppTest {};

TEST_F(DetailMode, InformationLineAndTabCaptionsFollowTheBox) {
  ASSERT_TRUE(Start(kTwoGpuLogScenario));
  const Labels plain = {"Quorvane Sim Alpha(1)", "Quorvane Sim Beta(2)"};
  const Labels detail = {"Quorvane Sim Alpha (0x00000001 / PCIe x16 4.0 / DP)",
                         "Quorvane Sim Beta (0x00000002 / PCIe x8 3.0)"};
  EXPECT_EQ(WaitForTabLabels(*app, main, plain), plain);
  EXPECT_EQ(WindowText(InfoBox(main)), L"Quorvane Sim Alpha");

  SetMainBox(main, kDetailBoxCaption, true);
  ExpectInfoLine(main, L"Quorvane Sim Alpha (CUDA Core: 8704 / RT Core: 68 / Tensore Core: 272)");
  EXPECT_EQ(WaitForTabLabels(*app, main, detail), detail);
  // The other tab, chosen in detail mode, shows its own GPU's counts.
  ASSERT_TRUE(ClickTab(app->Handle(), TabControl(main), 1));
  ExpectInfoLine(main, L"Quorvane Sim Beta (CUDA Core: 2560 / RT Core: 20 / Tensore Core: 80)");

  SetMainBox(main, kDetailBoxCaption, false);
  ExpectInfoLine(main, L"Quorvane Sim Beta");
  EXPECT_EQ(WaitForTabLabels(*app, main, plain), plain);
}

}  // namespace
}  // namespace e2e
