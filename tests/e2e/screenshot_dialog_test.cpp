// The temperature dialog of a screenshot request: its 63 choices with 80 ℃ selected at every
// opening, Escape that does nothing, Enter that confirms, and typed temperatures: a whole number
// from 38 to 100, with or without " ℃", is taken; anything else is refused in a message owned by
// the dialog, which stays open. The GPU stands at 82 °C, so a trigger of 81 fires and 85 waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot_steps.h"

namespace e2e {
namespace {

class ScreenshotDialog : public AppTest {};

constexpr const char* kSteady = "e2e-shot-steady.txt";

void ExpectFreshDialog(HWND dialog) {
  std::vector<std::wstring> choices;
  for (int degrees = 38; degrees <= 100; ++degrees)
    choices.push_back(std::to_wstring(degrees) + L" \u2103");
  EXPECT_EQ(ComboListTexts(TriggerCombo(dialog)), choices);
  EXPECT_EQ(ComboSelection(TriggerCombo(dialog)), kDefaultTriggerIndex);
}

// Types `text` and presses "設定"; the refusal comes in a box owned by the dialog, which stays.
void TypeAndExpectRefusal(const AppRun& run, HWND dialog, const std::wstring& text) {
  SCOPED_TRACE(testing::Message() << "typed " << text.size() << " characters");
  ASSERT_TRUE(TypeIntoCombo(TriggerCombo(dialog), text, kCycleTimeoutMs));
  ASSERT_TRUE(PostClick(dialog, kShotConfirmButton));
  ExpectOwnedMessageAndDismiss(run.app, dialog, kTriggerRangeText);
  EXPECT_FALSE(WaitGone(dialog, 500)) << "the dialog ended after the refusal";
}

void TypeAndConfirm(HWND dialog, const std::wstring& text) {
  ASSERT_TRUE(TypeIntoCombo(TriggerCombo(dialog), text, kCycleTimeoutMs));
  ASSERT_TRUE(PostClick(dialog, kShotConfirmButton));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "the typed temperature was not taken";
}

// A confirmed trigger the GPU does not reach: no picture, the request stays until the test
// unticks the box and a poll reads it.
void ExpectWaitingRequestEnded(HWND main, const std::wstring& path) {
  ExpectNoFile(path, kNoShotMs);
  EXPECT_EQ(MainBoxState(main, kShotBoxCaption), 1) << "the request ended";
  SetMainBox(main, kShotBoxCaption, false);
  WaitForPoll(main);
}

TEST_F(ScreenshotDialog, ShowsTheChoicesIgnoresEscapeAndConfirmsWithEnter) {
  ASSERT_TRUE(Start(kSteady));
  const std::wstring path = folder.File(L"keys.bmp");
  HWND dialog = OpenShotDialog(Run(), path);
  ASSERT_NE(dialog, nullptr);
  ExpectFreshDialog(dialog);

  ASSERT_TRUE(PostKey(dialog, VK_ESCAPE));
  ASSERT_TRUE(PostCommand(dialog, IDCANCEL));
  // A selection posted behind the keys shows when the dialog has worked them off.
  const int ninety = 90 - kLowestTrigger;
  ASSERT_TRUE(PostMessageW(TriggerCombo(dialog), CB_SETCURSEL, ninety, 0));
  EXPECT_TRUE(
      WaitUntil([&] { return ComboSelection(TriggerCombo(dialog)) == ninety; }, kCycleTimeoutMs));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape ended the dialog";
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr);
  EXPECT_EQ(MainBoxState(main, kShotBoxCaption), 1);

  // Enter confirms 90 ℃, which the GPU does not reach.
  ASSERT_TRUE(PostKey(dialog, VK_RETURN));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "Enter did not confirm";
  ExpectWaitingRequestEnded(main, path);

  // A new opening shows 80 ℃ again; confirmed at once, it fires at 82 °C.
  dialog = OpenShotDialog(Run(), path);
  ASSERT_NE(dialog, nullptr);
  ExpectFreshDialog(dialog);
  ASSERT_TRUE(PostKey(dialog, VK_RETURN));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "Enter did not confirm";
  EXPECT_TRUE(WaitForShot(Run(), path)) << "no picture at the default trigger";
}

TEST_F(ScreenshotDialog, ATypedTemperatureIsTakenOnlyInsideTheRange) {
  ASSERT_TRUE(Start(kSteady));
  const std::wstring path = folder.File(L"typed.bmp");
  HWND dialog = OpenShotDialog(Run(), path);
  ASSERT_NE(dialog, nullptr);
  for (const wchar_t* text : {L"37", L"101", L"abc", L"8 5", L"85 \u00B0C"})
    TypeAndExpectRefusal(Run(), dialog, text);

  TypeAndConfirm(dialog, L"85");
  ExpectWaitingRequestEnded(main, path);

  dialog = OpenShotDialog(Run(), path);
  ASSERT_NE(dialog, nullptr);
  TypeAndConfirm(dialog, L"81 \u2103");
  EXPECT_TRUE(WaitForShot(Run(), path)) << "no picture at a typed trigger below the GPU";
}

}  // namespace
}  // namespace e2e
