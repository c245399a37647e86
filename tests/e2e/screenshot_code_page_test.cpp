// Paths in the Japanese ANSI code page (932), where the save dialog hands the program the
// ideographic space U+3000 as the two bytes 0x81 0x40: a path with it is refused like one with a
// blank, while a path of other Japanese characters is written. Runs in its own test entry whose
// whole Wine process tree has a Japanese locale.
#include <gtest/gtest.h>

#include <string>

#include "logging_steps.h"
#include "screenshot_steps.h"

namespace e2e {
namespace {

class ScreenshotCodePage : public AppTest {};

TEST_F(ScreenshotCodePage, APathWithTheIdeographicSpaceIsRefused) {
  ASSERT_EQ(GetACP(), 932u) << "this entry must run with a Japanese locale";
  ASSERT_TRUE(folder.Valid());
  const std::wstring spaced = folder.File(L"温度\u3000画面.bmp");
  const std::wstring plain = folder.File(L"温度画面.bmp");
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));

  ASSERT_TRUE(RequestShot(Run(), spaced, kLowestTrigger));
  ExpectShotRefused(Run(), kPathHasSpaceText);
  ExpectNoFile(spaced, kNoShotMs);

  ASSERT_TRUE(RequestShot(Run(), plain, kLowestTrigger));
  EXPECT_TRUE(WaitForShot(Run(), plain)) << "no picture at a path of double-byte characters";
}

}  // namespace
}  // namespace e2e
