// A second start while the program runs ends at once with code 0 and shows nothing; the first
// instance goes on.
#include <gtest/gtest.h>

#include "app_steps.h"

namespace e2e {
namespace {

class SingleInstance : public AppTest {};

TEST_F(SingleInstance, SecondStartEndsSilentlyAndTheFirstGoesOn) {
  ASSERT_TRUE(Start("e2e-two-gpus.txt"));

  AppProcess second(QUORVANE_E2E_EXE, QUORVANE_E2E_SCENARIOS "/e2e-two-gpus.txt");
  ASSERT_TRUE(second.Started());
  // A message box or a visible window of the second process would come before its end.
  const UiEvent event = ExpectNext(second, UiEventKind::kExited);
  EXPECT_EQ(event.exitCode, 0u);
  std::printf("second instance ended after %.3f s\n", event.seconds);

  EXPECT_TRUE(app->Running());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(Responds(main));
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr);
}

}  // namespace
}  // namespace e2e
