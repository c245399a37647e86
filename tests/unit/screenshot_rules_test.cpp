#include <gtest/gtest.h>

#include "screenshot/path_check.h"
#include "screenshot/trigger.h"

namespace {

using namespace screenshot;

TEST(ScreenshotPath, WhiteSpaceOfEveryKindIsRefused) {
  for (const char* path : {"C:\\My Shots\\a.bmp", "C:\\a\tb.bmp", "C:\\a\nb.bmp", "C:\\a\rb.bmp",
                           "C:\\a\x0B"
                           "b.bmp",
                           " a.bmp", "a.bmp ",
                           "C:\\\x81\x40"
                           "a.bmp",                        // U+3000
                           "C:\\\x83\x41\x81\x40.bmp"}) {  // after a double-byte char
    EXPECT_TRUE(PathHasWhiteSpace(path)) << path;
  }
}

TEST(ScreenshotPath, DoubleByteCharactersWithoutSpaceAreAccepted) {
  for (const char* path : {"", "C:\\shots\\a.bmp",
                           "C:\\\x83\x40.bmp",      // second byte 0x40, as in the ideographic space
                           "C:\\\x95\x5C\\a.bmp",   // second byte 0x5C, the path separator
                           "C:\\\x83\x81\x40.bmp",  // a trail 0x81 followed by '@' is no space
                           "C:\\\xB1\xB2.bmp"}) {   // single-byte katakana
    EXPECT_FALSE(PathHasWhiteSpace(path)) << path;
  }
}

TEST(ScreenshotTrigger, SixtyThreeChoicesFrom38To100) {
  EXPECT_EQ(kTriggerChoices, 63);
  EXPECT_EQ(TriggerText(0), L"38 \u2103");
  EXPECT_EQ(TriggerText(kDefaultTriggerIndex), L"80 \u2103");
  EXPECT_EQ(TriggerText(62), L"100 \u2103");
  for (int i = 0; i < kTriggerChoices; ++i) {
    EXPECT_EQ(ParseTrigger(TriggerText(i)), TriggerOfIndex(i)) << i;
  }
  EXPECT_EQ(ProcessTriggerTemperature().Load(), 80);
}

TEST(ScreenshotTrigger, TypedTextMustBeAWholeNumberFrom38To100) {
  EXPECT_EQ(ParseTrigger(L"38"), 38);
  EXPECT_EQ(ParseTrigger(L"100 \u2103"), 100);
  EXPECT_EQ(ParseTrigger(L"075"), 75);
  for (const wchar_t* typed : {L"", L"37", L"101", L"1000", L"-50", L"80.5", L"80\u2103", L" 80",
                               L"80 ", L"\u2103", L" \u2103", L"abc", L"8O"}) {
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
  table.selectedSlot.Store(9);
  EXPECT_FALSE(TriggerReached(table, 0)) << "no slot outside the table";
}

}  // namespace
