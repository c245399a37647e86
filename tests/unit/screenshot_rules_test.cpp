#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/utf8_path.h"
#include "gpu/checkbox_texts.h"
#include "platform/code_page_text.h"
#include "screenshot/path_check.h"
#include "screenshot/trigger.h"

namespace {

using namespace screenshot;

constexpr std::uint32_t kJapanese = platform::kJapaneseCodePage;
constexpr std::uint32_t kUtf8 = platform::kUtf8CodePage;

TEST(ScreenshotPath, WhiteSpaceOfEveryKindIsRefused) {
  for (const char* path : {"C:\\My Shots\\a.bmp", "C:\\a\tb.bmp", "C:\\a\nb.bmp", "C:\\a\rb.bmp",
                           "C:\\a\vb.bmp", " a.bmp", "a.bmp "}) {
    EXPECT_TRUE(PathHasWhiteSpace(path, kJapanese)) << path;
    EXPECT_TRUE(PathHasWhiteSpace(path, kUtf8)) << path;
  }
  for (const char* path : {"C:\\\x81\x40.bmp",             // U+3000
                           "C:\\\x83\x41\x81\x40.bmp",     // after a double-byte char
                           "C:\\\x81\xFC\x81\x40.bmp"}) {  // after one with the last trail byte
    EXPECT_TRUE(PathHasWhiteSpace(path, kJapanese)) << path;
  }
  for (const char* path : {"C:\\\xE3\x80\x80.bmp",                  // U+3000
                           "\xE8\xA1\xA8\xE3\x80\x80",              // after a three-byte character
                           "\xC2\x85", "\xC2\xA0",                  // next line, no-break space
                           "\xE1\x9A\x80", "\xE2\x80\x80",          // Ogham space mark, U+2000
                           "\xE2\x80\x8A", "\xE2\x80\xA8",          // hair space, line separator
                           "\xE2\x80\xA9", "\xE2\x80\xAF",          // paragraph separator, U+202F
                           "\xE2\x81\x9F", "\xF0\x9F\x98\x80 "}) {  // U+205F, a blank after
    EXPECT_TRUE(PathHasWhiteSpace(path, kUtf8)) << path;
  }
}

TEST(ScreenshotPath, DoubleByteCharactersWithoutSpaceAreAccepted) {
  for (const char* path : {"", "C:\\shots\\a.bmp",
                           "C:\\\x83\x40.bmp",      // second byte 0x40, as in the ideographic space
                           "C:\\\x95\x5C\\a.bmp",   // second byte 0x5C, the path separator
                           "C:\\\x83\x81\x40.bmp",  // a trail 0x81 followed by '@' is no space
                           "C:\\\xB1\xB2.bmp"}) {   // single-byte katakana
    EXPECT_FALSE(PathHasWhiteSpace(path, kJapanese)) << path;
  }
  for (const char* path : {"", "C:\\shots\\a.bmp",
                           "C:\\\xE3\x81\x81@.bmp",     // "ぁ" ends in 0x81, '@' follows: no space
                           "C:\\\x81\x40.bmp",          // the bytes of U+3000 in code page 932
                           "\xE3\x82\xA1\xE3\x82\xBD",  // "ァソ"
                           "\xED\x95\x9C\xEA\xB8\x80\xF0\x9F\x98\x80",  // Hangul and an emoji
                           "\xE2\x80\x8B", "\xE3\x80\x81",  // zero width space, ideographic comma
                           "\xC0\xA0", "\xE0\x80\xA0",      // overlong forms of the blank
                           "\xED\xA0\x80", "\xF4\x90\x80\x80",  // a surrogate, beyond U+10FFFF
                           "\xE3\x80", "\xA0\x80",  // cut short, stray continuation bytes
                           "\xE2\x85x"}) {          // cut short, its two bytes alone read U+0085
    EXPECT_FALSE(PathHasWhiteSpace(path, kUtf8)) << path;
  }
}

// A path that is served: without white space, with a file name, and with room in its folder for
// the name written first ("~" and four digits, the length of "a.bmp").
TEST(ScreenshotPath, APathWithoutRoomForItsPictureCannotBeSaved) {
  const auto refusal = [](const std::string& path, std::uint32_t codePage) {
    const wchar_t* text = PathRefusal(path.c_str(), codePage);
    return std::wstring(text != nullptr ? text : L"served");
  };
  const std::string folder = "C:\\" + std::string(250, 'f') + "\\";  // 254 bytes
  const std::string deeper = "C:\\" + std::string(251, 'f') + "\\";  // 255 bytes
  EXPECT_EQ(refusal("C:\\shots\\a.bmp", kJapanese), L"served");
  EXPECT_EQ(refusal(folder + "a.bmp", kJapanese), L"served");  // 259 bytes
  EXPECT_EQ(refusal("C:\\my shots\\a.bmp", kUtf8), kPathHasSpaceText);
  for (const std::string& path : {deeper + "a.b", std::string("C:\\shots\\"), std::string()}) {
    EXPECT_EQ(refusal(path, kJapanese), gpu::kBmpNotSavedText) << path;
  }
}

// A chosen name on a system whose ANSI code page is UTF-8: every character kept, a name that is
// not valid UTF-16 or that overflows the path buffer refused, the buffer then untouched.
TEST(ScreenshotPath, ChosenNamesInUtf8KeepEveryCharacterAndRefuseBrokenText) {
  char out[260];
  ASSERT_TRUE(app::WideToUtf8Path(u"C:\\\u8868\u00e9\U0001F600\U00020BB7.bmp", out, sizeof out));
  EXPECT_STREQ(out, "C:\\\xE8\xA1\xA8\xC3\xA9\xF0\x9F\x98\x80\xF0\xA0\xAE\xB7.bmp");
  std::memcpy(out, "kept", 5);
  for (const std::u16string& broken :
       {std::u16string(u"a") + char16_t(0xD800) + u".bmp", std::u16string(1, char16_t(0xDC00)),
        std::u16string(u"C:\\x") + char16_t(0xD83D)}) {
    EXPECT_FALSE(app::WideToUtf8Path(broken.c_str(), out, sizeof out));
    EXPECT_STREQ(out, "kept");
  }
  // 86 three-byte characters fill 258 bytes and the NUL; one more does not fit.
  const std::u16string fits(86, u'\u8868');
  EXPECT_TRUE(app::WideToUtf8Path(fits.c_str(), out, 259));
  EXPECT_EQ(std::strlen(out), 258u);
  EXPECT_FALSE(app::WideToUtf8Path((fits + u"a").c_str(), out, 259));
}

TEST(ScreenshotTrigger, SixtyThreeChoicesFrom38To100) {
  EXPECT_EQ(kTriggerChoices, 63);
  EXPECT_EQ(kDefaultTriggerIndex, 42);
  for (int i = 0; i < kTriggerChoices; ++i) {
    const std::wstring text = std::to_wstring(38 + i) + L" \u2103";
    EXPECT_EQ(TriggerText(i), text) << i;
    EXPECT_EQ(TriggerOfIndex(i), 38 + i) << i;
    EXPECT_EQ(ParseTrigger(text), 38 + i) << i;  // a listed text typed as it stands
  }
}

// The program starts with a trigger of 80 degrees. Other tests of this binary may set the
// process's trigger, so it is read in a process of its own, started afresh for the check.
TEST(ScreenshotTrigger, TheProcessStartsAt80Degrees) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(ProcessTriggerTemperature().Load() == 80 ? 0 : 1),
              ::testing::ExitedWithCode(0), "");
}

TEST(ScreenshotTrigger, TypedTextMustBeAWholeNumberFrom38To100) {
  EXPECT_EQ(ParseTrigger(L"38"), 38);
  EXPECT_EQ(ParseTrigger(L"100 \u2103"), 100);
  EXPECT_EQ(ParseTrigger(L"075"), 75);
  for (const wchar_t* typed : {L"", L"37", L"101", L"1000", L"-50", L"80.5", L"80\u2103", L" 80",
                               L"80 ", L"\u2103", L" \u2103", L"abc", L"8O", L"4:", L"5/"}) {
    EXPECT_FALSE(ParseTrigger(typed).has_value()) << "refused";
  }
}

TEST(ScreenshotTrigger, SelectedGpuAtOrAboveTheTrigger) {
  gpu::SlotTable table;
  table.slots[0].temperature.Store(79);
  table.slots[1].temperature.Store(95);
  EXPECT_FALSE(TriggerReached(table, 80));
  table.slots[0].temperature.Store(80);
  EXPECT_TRUE(TriggerReached(table, 80));
  table.selectedSlot.Store(1);
  EXPECT_FALSE(TriggerReached(table, 96));
  table.selectedSlot.Store(gpu::kMaxGpus);
  EXPECT_FALSE(TriggerReached(table, 0)) << "no slot outside the table";
}

}  // namespace
