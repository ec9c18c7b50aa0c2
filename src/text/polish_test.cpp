#include "text/polish.h"

#include <gtest/gtest.h>

#include "text/cp852.h"

namespace qz {
namespace {

TEST(PolishTest, CaseMapping) {
  EXPECT_EQ(UpperPL("żółć"_cp), "ŻÓŁĆ"_cp);
  EXPECT_EQ(LowerPL("ĄĘ"_cp), "ąę"_cp);
  EXPECT_EQ(UpperPL("Zażółć gęślą jaźń 12"_cp), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 12"_cp);
  EXPECT_EQ(LowerPL("ZAŻÓŁĆ GĘŚLĄ JAŹŃ ÜËÄÖŐČŠ"_cp), "zażółć gęślą jaźń üëäöőčš"_cp);
  EXPECT_EQ(UpCasePL(0xE1), 0xE1);  // ß has no capital
  EXPECT_EQ(UpCasePL('7'), '7');
  EXPECT_EQ(LoCasePL('@'), '@');
  // Every byte goes back and forth through the pair of tables unchanged.
  for (int c = 0; c < 256; ++c) {
    uint8_t up = UpCasePL(static_cast<uint8_t>(c));
    if (up != c) {
      EXPECT_EQ(LoCasePL(up), c) << c;
    }
  }
}

TEST(PolishTest, UpCaseKeyStopsAt0xA5) {
  EXPECT_EQ(UpperKey("t"), "T");
  EXPECT_EQ(UpCaseKey(0xBE), 0xBE);  // ż
  EXPECT_EQ(UpCaseKey(0xAB), 0xAB);  // ź
  EXPECT_EQ(UpCaseKey(0xA5), 0xA4);  // ą
  EXPECT_EQ(UpperKey("łśćó"_cp), "ŁŚĆÓ"_cp);
  EXPECT_EQ(UpCaseKey(0x82), 0x90);  // é
}

TEST(PolishTest, ComparePL) {
  struct Case {
    Text a, b;
    int want;
  } cases[] = {
      {"Łódź"_cp, "Lódź"_cp, -1},  // Ł after L
      {"kot", "kota", 1},
      {"", "", 0},
      {"a_b", "a b", 1},           // "_" before the space
      {"Żuk"_cp, "Źle"_cp, 1},     // Ż before Ź
      {"A", "a", 1},
      {"a", "Ą"_cp, 1},
      {"Z", "[", 1},
      {"~", "\x7f", 1},            // outside the alphabet: after everything
      {"\x7f", "\xb0", 0},         // two unsorted bytes weigh the same
      {"ab", "ab", 0},
      {"b", "a", -1},
      {"", "\x01", 1},
      {"Ś"_cp, "Sz", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComparePL(c.a, c.b), c.want) << Cp852ToUtf8(c.a) << " vs " << Cp852ToUtf8(c.b);
    EXPECT_EQ(ComparePL(c.b, c.a), -c.want) << Cp852ToUtf8(c.a) << " vs " << Cp852ToUtf8(c.b);
  }
}

TEST(PolishTest, AlphabetWeights) {
  EXPECT_EQ(CollationWeight(0x00), 1);
  EXPECT_EQ(CollationWeight('_'), 33);
  EXPECT_EQ(CollationWeight(' '), 34);
  EXPECT_EQ(CollationWeight('@'), 66);
  EXPECT_EQ(CollationWeight('A'), 67);
  EXPECT_EQ(CollationWeight(0xAB), 150);  // ź closes the letters
  EXPECT_EQ(CollationWeight('~'), 159);
  EXPECT_EQ(CollationWeight(0x7F), 255);
  // 159 distinct weights, one per byte of the alphabet.
  int sorted = 0;
  for (int c = 0; c < 256; ++c) sorted += CollationWeight(static_cast<uint8_t>(c)) != 255;
  EXPECT_EQ(sorted, 159);
}

}  // namespace
}  // namespace qz
