// Paths in the program's ANSI code page. In the Japanese code page (932) the save dialog hands
// the program the ideographic space U+3000 as the two bytes 0x81 0x40 and characters such as
// "ソ" as a lead byte and the trail byte 0x5C, the byte of the path separator: a path with the
// ideographic space is refused like one with a blank, while paths of other Japanese characters
// are written, up to the longest the system takes. That entry's whole Wine process tree has a
// Japanese locale. The test copy of the program whose manifest makes UTF-8 (65001) its code page
// reads its paths as UTF-8 text: white space is refused, every other character is written,
// including those of scripts that code page 932 lacks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot_steps.h"

namespace e2e {
namespace {

class ScreenshotCodePage : public AppTest {};

TEST_F(ScreenshotCodePage, TheIdeographicSpaceIsRefusedAndOtherJapaneseNamesWritten) {
  ASSERT_EQ(GetACP(), 932u) << "this entry must run with a Japanese locale";
  ASSERT_TRUE(folder.Valid());
  const std::wstring spaced = folder.File(L"温度\u3000画面.bmp");
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));

  ASSERT_TRUE(RequestShot(Run(), spaced, kLowestTrigger));
  ExpectShotRefused(Run(), kPathHasSpaceText);
  ExpectNoFile(spaced, kNoShotMs);

  // Trail bytes 0x40 and 0x5C ("ァ", "ソ", "表"), the last one just before the extension; the
  // longest name is 259 bytes, the most a path may have (the folder's name is ASCII).
  const std::size_t folderBytes = folder.File(L"").size();
  ASSERT_LT(folderBytes, 200u);
  const std::wstring longest =
      folder.File(L"ソ" + std::wstring(259 - folderBytes - 8, L'a') + L"ソ.bmp");
  for (const std::wstring& path :
       {folder.File(L"温度画面.bmp"), folder.File(L"ァソ表.bmp"), longest}) {
    SCOPED_TRACE(testing::Message() << "a path of " << path.size() << " characters");
    ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
    EXPECT_TRUE(WaitForShot(Run(), path)) << "no picture at a path of double-byte characters";
  }
}

// The test copy of the program with UTF-8 as its ANSI code page.
class ScreenshotUtf8 : public AppTest {
 protected:
  ScreenshotUtf8() { exe = QUORVANE_E2E_UTF8_EXE; }
};

TEST_F(ScreenshotUtf8, WhiteSpaceIsRefusedAndEveryOtherCharacterWritten) {
  ASSERT_TRUE(folder.Valid());
  ASSERT_TRUE(Start("e2e-shot-steady.txt"));
  // U+3000 is the bytes 0xE3 0x80 0x80 in UTF-8.
  for (const std::wstring& path : {folder.File(L"a b.bmp"), folder.File(L"温度\u3000画面.bmp")}) {
    SCOPED_TRACE(testing::Message() << "a path of " << path.size() << " characters");
    ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
    ExpectShotRefused(Run(), kPathHasSpaceText);
    ExpectNoFile(path, kNoShotMs);
  }
  // "ぁ" ends in the byte 0x81, which "@" follows: in code page 932 the two would read as the
  // ideographic space. "ァソ" have the trail bytes 0x40 and 0x5C in code page 932, and Hangul,
  // Cyrillic and the emoji have no form there at all.
  for (const std::wstring& path : {folder.File(L"ぁ@.bmp"), folder.File(L"ァソ.bmp"),
                                   folder.File(L"한글Кириллица\U0001F600.bmp")}) {
    SCOPED_TRACE(testing::Message() << "a path of " << path.size() << " UTF-16 units");
    ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
    EXPECT_TRUE(WaitForShot(Run(), path)) << "no picture at a path without white space";
  }
}

}  // namespace
}  // namespace e2e
