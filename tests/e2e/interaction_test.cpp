// What a user does with the running window: choose a tab, press the two accelerators, close.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app_steps.h"

namespace e2e {
namespace {

constexpr DWORD kReactionMs = 1500;

class Interaction : public AppTest {};

TEST_F(Interaction, ClickingATabSelectsItsGpu) {
  ASSERT_TRUE(Start("e2e-three-gpus.txt"));
  HWND tabs = TabControl(main);
  const std::pair<int, const wchar_t*> clicks[] = {
      {0, L"Quorvane Sim Alpha"}, {2, L"Quorvane Sim Gamma"}, {1, L"Quorvane Sim Beta"}};
  for (const auto& [tab, caption] : clicks) {
    SCOPED_TRACE(testing::Message() << "tab " << tab);
    ASSERT_TRUE(ClickTab(app->Handle(), tabs, tab));
    ExpectInfoLine(main, caption, kReactionMs);
    EXPECT_EQ(SelectedTab(tabs), tab);
  }
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

TEST_F(Interaction, AltQuestionMarkAndAltSlashChangeNothing) {
  ExpectAltCharacterChangesNothing('?');
  ExpectAltCharacterChangesNothing('/');
}

TEST_F(Interaction, ClosingEndsTheProcessWithCodeZero) {
  ASSERT_TRUE(Start("e2e-two-gpus.txt"));
  // The first sampling cycle is still inside its slow call: closing does not wait for it.
  ExpectCloseEndsWithCodeZero(*app, main);
}

}  // namespace
}  // namespace e2e
