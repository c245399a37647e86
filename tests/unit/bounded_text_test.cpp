// The bounded text: appends that never pass the buffer's end and always leave it terminated.
#include "gpu/bounded_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using gpu::BoundedText;

TEST(BoundedText, AppendsAreCutAtTheCapacityAndTerminated) {
  char buffer[8];
  std::memset(buffer, 'Z', sizeof buffer);
  BoundedText text(buffer);
  EXPECT_STREQ(buffer, "");
  text.Append("abc");
  text.Append('d');
  EXPECT_STREQ(buffer, "abcd");
  text.Append("efghij");
  EXPECT_STREQ(buffer, "abcdefg");
  EXPECT_EQ(text.Length(), 7u);
  EXPECT_EQ(text.Room(), 0u);
  text.Append('x');
  text.AppendDecimal(5);
  EXPECT_STREQ(buffer, "abcdefg");
  text.Append(nullptr);
  EXPECT_STREQ(text.Text(), "abcdefg");
}

TEST(BoundedText, ReadsAnUnterminatedSourceOnlyUpToItsLength) {
  const char source[4] = {'w', 'x', 'y', 'z'};  // no terminator
  char buffer[16] = {};
  BoundedText text(buffer);
  text.Append(source, sizeof source);
  EXPECT_STREQ(buffer, "wxyz");
  text.Append("12\00034", 5);  // stops at the terminator (octal 000) inside the length
  EXPECT_STREQ(buffer, "wxyz12");
}

TEST(BoundedText, NumbersCoverTheWhole32BitRange) {
  struct Case {
    std::uint32_t value;
    const char* decimal;
    const char* hex;
  };
  for (const Case& c :
       {Case{0u, "0", "0x00000000"}, Case{1u, "1", "0x00000001"}, Case{0xABu, "171", "0x000000AB"},
        Case{0x7FFFFFFFu, "2147483647", "0x7FFFFFFF"},
        Case{0x80000000u, "2147483648", "0x80000000"},
        Case{0xFFFFFFFFu, "4294967295", "0xFFFFFFFF"}}) {
    char buffer[32] = {};
    BoundedText text(buffer);
    text.AppendDecimal(c.value);
    text.Append('|');
    text.AppendHex8(c.value);
    EXPECT_EQ(std::string(buffer), std::string(c.decimal) + "|" + c.hex) << c.value;
  }
}

}  // namespace
