// What a user does with the running window: choose a tab, press the two accelerators, close.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app_steps.h"

namespace e2e {
namespace {

constexpr DWORD kReactionMs = 1500;

bool ShowsCaption(HWND main, const std::wstring& caption) {
  return WaitUntil([&] { return WindowText(InfoBox(main)) == caption; }, kReactionMs);
}

TEST(Interaction, ClickingATabSelectsItsGpu) {
  auto app = Launch("e2e-three-gpus.txt");
  HWND main = ExpectMainWindow(*app);
  ASSERT_NE(main, nullptr);
  HWND tabs = TabControl(main);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 0));
  EXPECT_TRUE(ShowsCaption(main, L"Quorvane Sim Alpha")) << WindowText(InfoBox(main));
  EXPECT_EQ(SelectedTab(tabs), 0);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 2));
  EXPECT_TRUE(ShowsCaption(main, L"Quorvane Sim Gamma")) << WindowText(InfoBox(main));
  EXPECT_EQ(SelectedTab(tabs), 2);
  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 1));
  EXPECT_TRUE(ShowsCaption(main, L"Quorvane Sim Beta")) << WindowText(InfoBox(main));
  EXPECT_EQ(SelectedTab(tabs), 1);
}

struct Appearance {
  std::wstring caption;
  int selected;
  RECT rect;
  bool visible;
  bool operator==(const Appearance& other) const {
    return caption == other.caption && selected == other.selected && visible == other.visible &&
           EqualRect(&rect, &other.rect);
  }
};

Appearance Look(HWND main) {
  RECT rect = {};
  GetWindowRect(main, &rect);
  return {WindowText(InfoBox(main)), SelectedTab(TabControl(main)), rect,
          IsWindowVisible(main) != FALSE};
}

// The key goes to the main window itself (nothing else has the focus at start), so the
// accelerator's command reaches the main window procedure.
void ExpectAltCharacterChangesNothing(char c) {
  SCOPED_TRACE(std::string("Alt+") + c);
  auto app = Launch("e2e-two-gpus.txt");
  HWND main = ExpectMainWindow(*app);
  ASSERT_NE(main, nullptr);
  const Appearance before = Look(main);
  ASSERT_EQ(FocusInThreadOf(main), main);
  ASSERT_TRUE(TypeAltCharacter(main, c)) << "the main window is not in the foreground";
  const bool opened =
      WaitUntil([&] { return !OtherVisibleWindows(app->Id(), main).empty(); }, kReactionMs);
  EXPECT_FALSE(opened) << "a window opened";
  EXPECT_TRUE(Responds(main));
  EXPECT_TRUE(app->Running());
  EXPECT_TRUE(Look(main) == before);
}

TEST(Interaction, AltQuestionMarkAndAltSlashChangeNothing) {
  ExpectAltCharacterChangesNothing('?');
  ExpectAltCharacterChangesNothing('/');
}

TEST(Interaction, ClosingEndsTheProcessWithCodeZero) {
  auto app = Launch("e2e-two-gpus.txt");
  HWND main = ExpectMainWindow(*app);
  ASSERT_NE(main, nullptr);
  // The first sampling cycle is still inside its slow call: closing does not wait for it.
  ExpectCloseEndsWithCodeZero(*app, main);
}

}  // namespace
}  // namespace e2e
