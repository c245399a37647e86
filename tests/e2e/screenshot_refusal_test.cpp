// Screenshot requests that end without a picture: the save dialog cancelled, the temperature
// dialog closed with its close box (the file cannot be saved), a path with a blank (refused), and
// a path with no room beside it for the picture's first name (the file cannot be saved).
// Each shows its message, owned by the main window, and turns the box off; the box can be ticked
// again.
#include <gtest/gtest.h>

#include <string>

#include "screenshot_steps.h"

namespace e2e {
namespace {

class ScreenshotRefusal : public AppTest {};

TEST_F(ScreenshotRefusal, CancellingEitherDialogMeansTheFileCannotBeSaved) {
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));
  const std::wstring path = folder.File(L"cancelled.bmp");

  HWND save = TickAndWaitForSaveDialog(*app, main, kShotBoxCaption);
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(CancelSaveDialog(save, path));
  EXPECT_TRUE(WaitGone(save, kCycleTimeoutMs)) << "the save dialog stays open";
  ExpectShotRefused(Run(), kBmpRefusedText);
  ExpectNoFile(path, kNoShotMs);

  HWND dialog = OpenShotDialog(Run(), path);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PostCloseBox(dialog));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs)) << "the close box leaves the dialog open";
  ExpectShotRefused(Run(), kBmpRefusedText);
  ExpectNoFile(path, kNoShotMs);  // the GPU is far above any trigger
}

TEST_F(ScreenshotRefusal, APathWithABlankIsRefused) {
  ASSERT_TRUE(folder.Valid());
  const TempFolder spaced(folder.File(L"two words"));
  ASSERT_TRUE(spaced.Valid());
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));

  for (const std::wstring& path : {spaced.File(L"shot.bmp"), folder.File(L"a b.bmp")}) {
    SCOPED_TRACE(testing::Message() << "path with " << path.size() << " characters");
    ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
    ExpectShotRefused(Run(), kPathHasSpaceText);
    ExpectNoFile(path, kNoShotMs);
  }
}

// A folder whose path takes 255 bytes and a name of three: the path itself fits (258 bytes), but
// no name of five bytes for the picture to be written under first fits beside it.
TEST_F(ScreenshotRefusal, APathWithoutRoomForThePictureCannotBeSaved) {
  ASSERT_TRUE(folder.Valid());
  const TempFolder deep(folder.File(std::wstring(254 - folder.File(L"").size(), L'd')));
  ASSERT_TRUE(deep.Valid());
  const std::wstring path = deep.File(L"a.b");
  ASSERT_EQ(path.size(), 258u);
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));

  ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
  ExpectShotRefused(Run(), kBmpRefusedText);
  ExpectNoFile(path, kNoShotMs);
}

}  // namespace
}  // namespace e2e
