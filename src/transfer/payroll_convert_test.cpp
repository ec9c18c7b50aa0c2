#include "transfer/payroll_convert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "transfer/staff_test_helpers.h"

namespace qz {
namespace {

using namespace testing_records;

constexpr std::size_t kOldWage = 10176;
constexpr std::size_t kNewWage = 26624;

std::size_t OldMonth(int m) { return 423 + 800 * (m - 1); }
std::size_t NewMonth(int m) { return 423 + 2048 * (m - 1); }

Record ConvertWage(TestEnv& env, const Record& in) {
  Record out(kNewWage, 0xEE);
  EXPECT_TRUE(ConvertWageRecord(env.ctx, in, out));
  return out;
}

TEST(ConvertWageRecord, CentsBecomeAnAmountInEveryMonth) {
  TestEnv env;
  Record in = Distinct(kOldWage, 8);
  for (int m = 1; m <= 12; ++m) PutI32(in, OldMonth(m) + 776, 12345 * m);
  PutI32(in, OldMonth(5) + 776, 0);
  PutI32(in, OldMonth(6) + 776, -5);
  Record out = ConvertWage(env, in);
  for (int m = 1; m <= 12; ++m) {
    double expected = m == 5 ? 0.0 : m == 6 ? -0.05 : 123.45 * m;
    EXPECT_NEAR(GetReal(out, NewMonth(m) + 1270), expected, 1e-9) << m;
  }
  EXPECT_EQ(GetReal(out, NewMonth(1) + 1270), 123.45);
}

TEST(ConvertWageRecord, HeaderTailAndOneFieldOfEachMonthRow) {
  TestEnv env;
  Record in = Distinct(kOldWage, 8);
  SetText(in, OldMonth(2) + 6, 6, "LUTY");
  in[OldMonth(3) + 6] = 9;     // text (6) stored too long
  in[OldMonth(4) + 468] = 30;  // text (4) stored too long
  SetText(in, OldMonth(12) + 468, 4, "AB");
  Record out = ConvertWage(env, in);

  struct Move {
    std::size_t out, in, width;
  };
  // Header and tail.
  const Move fixed[] = {{0, 0, 8},         {9, 9, 1},         {14, 14, 1},      {15, 15, 408},
                        {24999, 10023, 2}, {25001, 10025, 2}, {25044, 10068, 60},
                        {25104, 10128, 2}, {25107, 10131, 1}, {25108, 10132, 8}};
  for (const Move& f : fixed) {
    for (std::size_t i = 0; i < f.width; ++i) EXPECT_EQ(out[f.out + i], in[f.in + i]) << f.out + i;
  }
  EXPECT_EQ(out[8], 5);
  for (std::size_t off : {10, 11, 12, 13, 25003, 25043, 25106, 25116, 26623})
    EXPECT_EQ(out[off], 0) << off;

  // One field of each row of the month table, in changing months (offsets
  // relative to the month blocks).
  const struct {
    int month;
    Move move;
  } rows[] = {
      {1, {13 + 24 * 9, 13 + 8 * 9, 8}}, {2, {117, 93, 2}},     {3, {237, 95, 2}},
      {4, {493 + 72 * 4, 97 + 8 * 4, 8}}, {5, {1213, 137, 8}},  {6, {1229, 145, 1}},
      {7, {1262, 178, 8}},                {8, {1326, 234, 8}},  {9, {1334, 250, 1}},
      {10, {1359, 275, 8}},               {11, {1367, 283, 1}}, {12, {1368, 284, 24}},
      {1, {1392, 308, 22}},               {2, {1414, 330, 48}}, {3, {1462, 378, 48}},
      {4, {1518, 434, 8}},                {5, {1526, 242, 8}},  {6, {1542, 442, 1}},
      {7, {1543, 443, 8}},                {8, {1551, 451, 1}},  {9, {1560, 460, 8}},
      {10, {1573, 473, 8}},               {11, {1581 + 30 * 7, 481 + 30 * 7, 30}},
      {12, {1893, 729, 8}},               {1, {1905, 741, 4}},  {2, {1911, 747, 2}},
      {3, {1914, 750, 1}},                {4, {1931, 767, 8}},  {5, {1939, 775, 1}},
      {6, {1940, 780, 2}},                {7, {1942, 782, 8}},  {8, {1952, 793, 1}},
  };
  for (const auto& r : rows) {
    for (std::size_t i = 0; i < r.move.width; ++i) {
      EXPECT_EQ(out[NewMonth(r.month) + r.move.out + i], in[OldMonth(r.month) + r.move.in + i])
          << "month " << r.month << " offset " << r.move.out + i;
    }
  }
  EXPECT_EQ(TextAt(out, NewMonth(2) + 6, 6), "LUTY");
  EXPECT_EQ(out[NewMonth(3) + 6], 6);
  EXPECT_EQ(out[NewMonth(4) + 1568], 4);
  EXPECT_EQ(TextAt(out, NewMonth(12) + 1568, 4), "AB");
  // Bytes after a text are not carried; the first 6 bytes of a month are 0.
  EXPECT_EQ(out[NewMonth(12) + 1568 + 3], 0);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(out[NewMonth(7) + i], 0);
}

TEST(ConvertWageRecord, EveryByteNotCarriedIsZero) {
  // With every input byte 0xFF each carried byte is nonzero (cents -1 give
  // -0.01), so the nonzero bytes are exactly the carried ones: 419 of the
  // header, 75 of the tail and 791 of each month.
  TestEnv env;
  Record out = ConvertWage(env, Record(kOldWage, 0xFF));
  auto nonzero = std::count_if(out.begin(), out.end(), [](uint8_t b) { return b != 0; });
  EXPECT_EQ(nonzero, 419 + 75 + 12 * 791);
}

constexpr std::size_t kSettings = 2048;
constexpr uint8_t kWorkingDays[12] = {22, 20, 21, 21, 21, 19, 23, 21, 21, 23, 19, 20};

void ExpectYearAndWorkingDays(const Record& rec) {
  EXPECT_EQ(GetU16(rec, 611), 2019);
  for (std::size_t m = 0; m < 12; ++m) EXPECT_EQ(rec[632 + m], kWorkingDays[m]) << m;
}

TEST(ConvertPayrollSettings, NewLayoutKeepsEverythingButYearAndWorkingDays) {
  TestEnv env;
  Record rec = Distinct(kSettings, 2);
  rec[610] = 4;
  Record before = rec;
  ASSERT_TRUE(ConvertPayrollSettings(env.ctx, rec));
  ExpectYearAndWorkingDays(rec);
  std::vector<std::size_t> changed = Differences(before, rec);
  for (std::size_t off : changed) EXPECT_TRUE(off == 611 || off == 612 || (off >= 632 && off < 644)) << off;
}

TEST(ConvertPayrollSettings, OldLayoutIsRebuilt) {
  TestEnv env;
  Record old = Distinct(kSettings, 2);
  old[610] = 3;
  for (std::size_t i = 0; i < 10; ++i) {
    SetText(old, 18 * i, 2, "K" + std::to_string(i));
    PutU16(old, 18 * i + 3, static_cast<uint16_t>(1000 + i));
    SetText(old, 18 * i + 5, 16, "składnik " + std::to_string(i));
  }
  old[18 * 9] = 5;  // text (2) stored too long
  for (std::size_t i = 0; i < 5; ++i) SetText(old, 185 + 18 * i, 16, "dodatek " + std::to_string(i));
  Record rec = old;
  ASSERT_TRUE(ConvertPayrollSettings(env.ctx, rec));

  Record e(kSettings, 0);
  for (std::size_t i = 0; i < 10; ++i) {
    PutText(e, 22 * i, 2, GetText(old, 18 * i, 2));
    PutU16(e, 22 * i + 3, static_cast<uint16_t>(1000 + i));
    PutText(e, 22 * i + 5, 16, GetText(old, 18 * i + 5, 16));
  }
  for (std::size_t i = 0; i < 5; ++i) PutText(e, 440 + 17 * i, 16, "dodatek " + std::to_string(i));
  for (std::size_t i = 0; i < 16; ++i) e[613 + i] = old[270 + i];
  PutU16(e, 629, GetU16(old, 292));
  e[631] = old[333];
  e[610] = 4;
  PutU16(e, 611, 2019);
  for (std::size_t m = 0; m < 12; ++m) e[632 + m] = kWorkingDays[m];
  EXPECT_EQ(Differences(e, rec), std::vector<std::size_t>{});
  EXPECT_EQ(TextAt(rec, 22 * 4 + 5, 16), "składnik 4");
  EXPECT_EQ(rec[22 * 9], 2);
}

}  // namespace
}  // namespace qz
