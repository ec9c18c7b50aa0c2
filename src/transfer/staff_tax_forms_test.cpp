#include "transfer/staff_tax_forms.h"

#include <gtest/gtest.h>

#include "text/format.h"
#include "transfer/staff_test_helpers.h"

namespace qz {
namespace {

using namespace testing_records;

constexpr std::size_t kSize = 13952;

// A PID-5 / PIT-28 person record of `year` with distinctive bytes and every
// text field the converters touch valid and full; bytes 13888 and 13889 are
// 0, 13890 is 7.
Record FormRecord(int64_t id, uint16_t year, uint16_t second_year) {
  Record r = Distinct(kSize, 11);
  PutLe<uint64_t>(r, 0, static_cast<uint64_t>(id));
  PutDate(r, 12, MakeDate(3, 4, year));
  PutDate(r, 16, MakeDate(5, 6, second_year));
  SetFullText(r, 20, 65);
  SetFullText(r, 86, 4);
  SetText(r, 105, 31, "Wiśniewska");
  SetText(r, 137, 22, "Ewa");
  for (std::size_t first : {388, 4604}) {
    for (std::size_t k = 0; k < 8; ++k) {
      SetFullText(r, first + 103 * k + 29, 36);
      SetFullText(r, first + 103 * k + 66, 36);
    }
  }
  for (std::size_t b : {8820, 8820 + 169}) {
    for (auto [off, max] : {std::pair<std::size_t, std::size_t>{0, 13}, {14, 14}, {29, 36},
                            {66, 36}, {103, 36}, {140, 18}})
      SetFullText(r, b + off, max);
  }
  r[13888] = 0;
  r[13889] = 0;
  r[13890] = 7;
  return r;
}

void Copy(Record& to, const Record& from, std::size_t first, std::size_t end) {
  for (std::size_t i = first; i < end; ++i) to[i] = from[i];
}

void CopyFrom(Record& to, std::size_t dst, const Record& from, std::size_t src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) to[dst + i] = from[src + i];
}

// The value at +88 of each group goes to +0.
void MovesDown(Record& e, const Record& in, std::size_t first, std::size_t stride, int groups) {
  for (int k = 0; k < groups; ++k) CopyFrom(e, first + stride * k, in, first + stride * k + 88, 8);
}

Record Convert(TestEnv& env, bool (*conv)(Context&, ConstBytes, Bytes), const Record& in,
               bool* carried) {
  Record out(kSize, 0xEE);
  *carried = conv(env.ctx, in, out);
  return out;
}

TEST(ConvertPid5Record, A2019RecordWithThe2019SettingsIsKeptAndUpdated) {
  TestEnv env;
  env.ctx.firm.use_2019_settings = true;
  Record in = FormRecord(42, 2019, 2019);
  bool carried = false;
  Record out = Convert(env, ConvertPid5Record, in, &carried);
  ASSERT_TRUE(carried);

  Record expected = in;
  MovesDown(expected, in, 1212, 424, 8);
  expected[13888] = 1;
  expected[13889] = 1;
  EXPECT_EQ(Differences(expected, out), std::vector<std::size_t>{});
  EXPECT_EQ(GetReal(out, 1212 + 424 * 7), GetReal(in, 1300 + 424 * 7));
  EXPECT_TRUE(LogText(env).find("Osoba: Wiśniewska Ewa") != std::string::npos) << LogText(env);
}

TEST(ConvertPid5Record, AnyOtherRecordIsRebuiltForTheNewYear) {
  struct Case {
    const char* name;
    bool use_2019;
    uint16_t year;
  };
  for (const Case& c : {Case{"2018 record", true, 2018}, Case{"2019 record, 2018 settings", false, 2019}}) {
    SCOPED_TRACE(c.name);
    TestEnv env;
    env.ctx.firm.use_2019_settings = c.use_2019;
    Record in = FormRecord(42, c.year, 2019);
    bool carried = false;
    Record out = Convert(env, ConvertPid5Record, in, &carried);
    ASSERT_TRUE(carried);

    Record e(kSize, 0);
    Copy(e, in, 0, 8);
    PutDate(e, 12, MakeDate(1, 1, 2019));
    Copy(e, in, 20, 388);     // name code, identity block, address
    Copy(e, in, 388, 1212);   // eight 103-byte blocks
    MovesDown(e, in, 1212, 424, 8);
    Copy(e, in, 4604, 5428);  // eight more blocks
    MovesDown(e, in, 5428, 424, 8);
    Copy(e, in, 8820, 9158);  // two 169-byte blocks
    MovesDown(e, in, 9158, 522, 2);
    for (std::size_t off : {13884, 13886, 13887, 13899, 13900, 13901, 13902, 13903, 13904, 13929,
                            13930, 13943, 13890})
      e[off] = in[off];
    e[13888] = 1;
    e[13889] = 1;
    EXPECT_EQ(Differences(e, out), std::vector<std::size_t>{});
  }
}

TEST(ConvertPid5Record, OverlongTextsAreCutWithOrWithoutTextPass) {
  TestEnv env;
  Record in = FormRecord(42, 2018, 2018);
  in[105] = 40;                  // name (31), passed
  in[388 + 103 * 3 + 66] = 37;   // block text (36), passed
  in[8820 + 169] = 20;           // text (13) without a pass
  in[8820 + 169 + 140] = 255;    // text (18) without a pass
  in[20] = 66;                   // name of the name code block (65)
  bool carried = false;
  Record out = Convert(env, ConvertPid5Record, in, &carried);
  ASSERT_TRUE(carried);
  EXPECT_EQ(out[105], 31);
  EXPECT_EQ(out[388 + 103 * 3 + 66], 36);
  EXPECT_EQ(out[8820 + 169], 13);
  EXPECT_EQ(out[8820 + 169 + 140], 18);
  EXPECT_EQ(out[20], 65);
}

TEST(PersonForms, AskModeAndDeletedRecords) {
  for (auto conv : {ConvertPid5Record, ConvertPit28Record}) {
    TestEnv env;
    env.ctx.run.options.pid5_mode = 1;
    bool carried = true;
    Convert(env, conv, FormRecord(-2, 2018, 2018), &carried);
    EXPECT_FALSE(carried) << "deleted";
    env.console.Type("\"wn\"");
    Convert(env, conv, FormRecord(1, 2018, 2018), &carried);
    EXPECT_FALSE(carried);
    env.console.Type("\"t\"");
    Convert(env, conv, FormRecord(2, 2018, 2018), &carried);
    EXPECT_TRUE(carried);
    EXPECT_EQ(env.console.pending(), 0u);
    EXPECT_TRUE(env.Row(1).rfind("Osoba: Wiśniewska Ewa Przenieść T/N ? ", 0) == 0) << env.Row(1);
    EXPECT_EQ(env.console.screen().AttrAt(1, 1), 8);
    EXPECT_EQ(env.console.screen().AttrAt(23, 1), 10);
    EXPECT_EQ(env.ctx.log.row(), 3);
  }
}

TEST(ConvertPit28Record, DecemberValueInEveryMonth) {
  struct Case {
    bool use_2019;
    uint16_t second_year;
    bool second_date_kept;
  };
  const Case cases[] = {{true, 2019, true}, {true, 2018, false}, {false, 2019, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.use_2019 << " " << c.second_year);
    TestEnv env;
    env.ctx.firm.use_2019_settings = c.use_2019;
    Record in = FormRecord(77, 2019, c.second_year);
    PutU16(in, 5783, 4321);
    bool carried = false;
    Record out = Convert(env, ConvertPit28Record, in, &carried);
    ASSERT_TRUE(carried);

    Record e(kSize, 0);
    Copy(e, in, 0, 8);
    PutDate(e, 12, MakeDate(1, 1, 2019));
    if (c.second_date_kept) Copy(e, in, 16, 20);
    Copy(e, in, 20, 388);
    for (std::size_t k = 0; k < 12; ++k) {
      PutU16(e, 393 + 490 * k, 4321);
      e[877 + 490 * k] = 3;
    }
    e[13943] = in[13943];
    EXPECT_EQ(Differences(e, out), std::vector<std::size_t>{});
  }
}

}  // namespace
}  // namespace qz
