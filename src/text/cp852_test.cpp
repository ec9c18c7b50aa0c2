#include "text/cp852.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Cp852Test, LiteralsBecomeCp852Bytes) {
  EXPECT_EQ("Błąd"_cp, Text("B\x88\xa5\x64"));
  EXPECT_EQ("ŁÓDŹ żółć"_cp, Text("\x9d\xe0\x44\x8d\x20\xbe\xa2\x88\x86"));
  EXPECT_EQ("─│"_cp, Text("\xc4\xb3"));
  EXPECT_EQ(""_cp, Text());
}

TEST(Cp852Test, TableMatchesTheCodePage) {
  EXPECT_EQ(kCp852ToUnicode[0xFA], U'\u02D9');
  EXPECT_EQ(kCp852ToUnicode[0xFE], U'\u25A0');
  EXPECT_EQ(kCp852ToUnicode[0xFF], U'\u00A0');
  EXPECT_EQ(kCp852ToUnicode[0xB0], U'\u2591');
  EXPECT_EQ(kCp852ToUnicode[0xDB], U'\u2588');
  EXPECT_EQ(Cp852Glyph(0x15), U'\u00A7');
}

TEST(Cp852Test, Utf8RoundTripOfEveryPrintableByte) {
  for (int b = 0x20; b < 0x100; ++b) {
    if (b == 0x7F) continue;
    Text t(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp852(Cp852ToUtf8(t)), t) << b;
  }
  EXPECT_EQ(Utf8ToCp852("a\xe2\x82\xac"), Text("a?"));  // the euro sign has no byte
}

}  // namespace
}  // namespace qz
