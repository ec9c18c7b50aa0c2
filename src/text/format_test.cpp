#include "text/format.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/cp852.h"

namespace qz {
namespace {

TEST(FormatTest, Texts) {
  EXPECT_EQ(PadRight(5, "ab"), "ab   ");
  EXPECT_EQ(PadRight(2, "abcd"), "ab");
  EXPECT_EQ(PadRight(0, "x"), "");
  EXPECT_EQ(Spaces(3), "   ");
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(-2), "");
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntToText(2019), "2019");
  EXPECT_EQ(TextIf(true, "x"), "x");
  EXPECT_EQ(TextIf(false, "x"), "");
  EXPECT_EQ(YearText(), "2019");
  EXPECT_EQ(YearText(980), " 980");
}

TEST(FormatTest, MonthNames) {
  EXPECT_EQ(MonthName(10), "Październik"_cp);
  EXPECT_EQ(MonthName(0), "-          ");
  EXPECT_EQ(MonthName(5), "Maj        ");
  EXPECT_EQ(MonthName(15), "Korekty roku");  // longer than 11: kept whole
  EXPECT_EQ(MonthName(14), "Oczekujące "_cp);
  EXPECT_EQ(MonthName(17), MonthName(0));
  EXPECT_EQ(MonthName(-1), MonthName(0));
}

TEST(FormatTest, WordsRoundTrip) {
  Words12 zeros{};
  Text z = WordsToText(zeros);
  EXPECT_EQ(z.size(), 60u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(z.substr(5 * i, 5), "$0000");
  EXPECT_EQ(TextToWords(z), zeros);

  Words12 w = {0, 1, 0xABCD, 0xFFFF, 10, 0x1000, 7, 8, 9, 0x00FF, 0xFF00, 0x1234};
  Text t = WordsToText(w);
  EXPECT_EQ(t.substr(10, 5), "$ABCD");
  EXPECT_EQ(TextToWords(t), w);
}

TEST(FormatTest, TextToWordsBadGroupsGiveZero) {
  Text t = "$00ff" "12345" "$XYZ0" "abcde" "$    " "99999" "$0010";  // 7 groups, 5 missing
  Words12 w = TextToWords(t);
  Words12 want = {0xFF, 12345, 0, 0, 0, 0, 0x10, 0, 0, 0, 0, 0};
  EXPECT_EQ(w, want);
  EXPECT_EQ(TextToWords(""), Words12{});
}

TEST(FormatTest, Dates) {
  EXPECT_EQ(DateToText(MakeDate(5, 3, 2019)), "05-03-2019");
  EXPECT_EQ(DateToText(Date{}), "-");
  EXPECT_EQ(DateToText(MakeDate(31, 2, 2019)), "31-02-2019");
  EXPECT_EQ(DateToText(MakeDate(1, 1, 7)), "01-01-0007");
  EXPECT_EQ(DateToText(MakeDate(32, 1, 2019)), "-");
  EXPECT_EQ(DateToText(MakeDate(1, 13, 2019)), "-");
  EXPECT_EQ(DateToText(MakeDate(1, 1, 3000)), "-");

  struct Case {
    const char* text;
    Date want;
  } cases[] = {
      {"05.03.2019", MakeDate(5, 3, 2019)},
      {"05-03-2019", MakeDate(5, 3, 2019)},
      {"31/12/2999", MakeDate(31, 12, 2999)},
      {"5-3-2019", Date{}},      // not 10 characters
      {"-", Date{}},
      {"", Date{}},
      {"00-03-2019", Date{}},    // not a valid date
      {"05-13-2019", Date{}},
      {"0a-03-2019", Date{}},    // not a number
      {"05-03-$7E3", Date{}},
      {"05-03-20190", Date{}},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToDate(c.text), c.want) << c.text;
}

TEST(FormatTest, DateField) {
  std::vector<uint8_t> rec(6, 0xEE);
  PutDate(rec, 1, MakeDate(5, 3, 2019));
  EXPECT_EQ(rec, (std::vector<uint8_t>{0xEE, 5, 3, 0xE3, 0x07, 0xEE}));
  EXPECT_EQ(GetDate(rec, 1), MakeDate(5, 3, 2019));
  EXPECT_THROW(PutDate(rec, 3, Date{}), std::out_of_range);
}

TEST(FormatTest, RoundMoney) {
  struct Case {
    double in, want;
  } cases[] = {
      {0.285, 0.29}, {-0.285, -0.29}, {1.004, 1.0},  {1.005, 1.01}, {-1.005, -1.01},
      {0.0, 0.0},    {2.675, 2.68},   {123456.785, 123456.79},       {-0.004, 0.0},
      {0.1 + 0.2, 0.3},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RoundMoney(c.in), c.want) << c.in;
}

TEST(FormatTest, AmountHelpers) {
  EXPECT_DOUBLE_EQ(CentsToAmount(12345), 123.45);
  EXPECT_DOUBLE_EQ(CentsToAmount(-1), -0.01);
  EXPECT_EQ(CentsToAmount(0), 0.0);

  double total = 1.0;
  AddIfNonZero(0.0, &total);
  AddIfNonZero(2.5, &total);
  EXPECT_DOUBLE_EQ(total, 3.5);

  total = 10.5;
  SubtractOrZero(10.5, &total);
  EXPECT_EQ(total, 0.0);
  total = 0.3;
  SubtractOrZero(0.1 + 0.2, &total);  // not equal: ordinary subtraction
  EXPECT_NE(total, 0.0);
  total = 4.0;
  SubtractOrZero(0.0, &total);
  EXPECT_EQ(total, 4.0);

  std::vector<uint8_t> rec(20, 0xAB);
  ZeroPair(rec, 2);
  EXPECT_EQ(GetReal(rec, 2), 0.0);
  EXPECT_EQ(GetReal(rec, 10), 0.0);
  EXPECT_EQ(rec[1], 0xAB);
  EXPECT_EQ(rec[18], 0xAB);

  EXPECT_EQ(Low7(0x1FF), 0x7F);
  EXPECT_TRUE(CompEqual(int64_t{1} << 40, int64_t{1} << 40));
  EXPECT_TRUE(CompNegative(-1));
  EXPECT_FALSE(CompNegative(0));
}

TEST(FormatTest, Proportion) {
  std::vector<uint8_t> rec(900, 0);
  EXPECT_FALSE(ProportionSet(rec));
  EXPECT_DOUBLE_EQ(ApplyProportion(rec, 100.0), 100.0);

  PutU8(rec, 837, 23);  // a percentage of 23
  EXPECT_TRUE(ProportionSet(rec));
  EXPECT_DOUBLE_EQ(ApplyProportion(rec, 100.0), 77.0);
  EXPECT_DOUBLE_EQ(ApplyProportion(rec, 10.01), 7.71);  // 7.7077 rounded

  PutI32(rec, 837, 2);  // a fraction 2/3 takes precedence
  PutI32(rec, 841, 3);
  EXPECT_DOUBLE_EQ(ApplyProportion(rec, 100.0), 66.67);

  std::vector<uint8_t> shorter(844, 0);
  EXPECT_THROW(ProportionSet(shorter), std::out_of_range);
}

TEST(FormatTest, FlagSet) {
  EXPECT_FALSE(FlagSet(0x06D7, 0x0008));
  EXPECT_TRUE(FlagSet(0x06D7, 0x0004));
  EXPECT_TRUE(FlagSet(0, 0));
  EXPECT_TRUE(FlagSet(0x06D7, 0x0006));
  EXPECT_FALSE(FlagSet(0x06D7, 0x000C));
}

TEST(FormatTest, PackedNow) {
  LocalTime t{2019, 3, 5, 13, 45, 59, 0, 2};
  uint32_t want = ((39u * 512 + 3 * 32 + 5) << 16) | (13u * 2048 + 45 * 32 + 29);
  EXPECT_EQ(PackedNow(t), want);
  VirtualClock clock(t);
  EXPECT_EQ(PackedNow(clock), want);
}

}  // namespace
}  // namespace qz
