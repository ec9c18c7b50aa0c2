#include "transfer/ledger_convert.h"

#include <gtest/gtest.h>

#include "text/format.h"
#include "transfer/staff_test_helpers.h"

namespace qz {
namespace {

using namespace testing_records;

// The packed time of the test clock's start, 2 January 2019 10:00:00.
constexpr uint32_t kPackedStart = (uint32_t{(2019 - 1980) * 512 + 1 * 32 + 2} << 16) | (10 * 2048);

// An old 400-byte entry: distinctive bytes, its texts, a date, flags without
// the struck-out bit and amounts that are not computed.
Record OldEntry(const std::string& extra = "", int code = 10) {
  Record r = Distinct(400, 21);
  PutDate(r, 18, MakeDate(5, 3, 2019));
  PutU16(r, 30, 0x0101);
  SetText(r, 32, 22, "Zakup towaru");
  SetText(r, 55, 18, "FV/12");
  SetFullText(r, 74, 36);
  SetFullText(r, 111, 36);
  SetText(r, 148, 36, "Hurtownia Kowalski");
  SetText(r, 185, 51, extra);
  PutU8(r, 237, 0);
  PutU8(r, 242, static_cast<uint8_t>(code));
  return r;
}

Record Convert(TestEnv& env, const Record& in, bool* carried) {
  Record out(1024, 0xEE);
  *carried = ConvertLedgerEntry(env.ctx, in, out);
  return out;
}

TEST(ConvertLedgerEntry, BuildsTheNewLayoutFieldByField) {
  TestEnv env;
  StartLedgerFile(env.ctx, "", 1024);
  Record in = OldEntry();
  bool carried = false;
  Record out = Convert(env, in, &carried);
  ASSERT_TRUE(carried);

  Record e(1024, 0);
  for (std::size_t i = 0; i < 400; ++i) e[i] = in[i];
  PutU32(e, 0, 1);
  e[367] = '[';
  PutText(e, 400, 48, "Zakup towaru");
  PutText(e, 449, 128, GetText(in, 74, 36));
  PutText(e, 578, 128, GetText(in, 111, 36));
  PutText(e, 707, 80, "Hurtownia Kowalski");
  e[861] = 3;
  PutU32(e, 862, kPackedStart);
  EXPECT_EQ(Differences(e, out), std::vector<std::size_t>{});
  EXPECT_EQ(env.Row(1).substr(0, 48), "RUR=05-03-2019 FV/12      Hurtownia Kowalski.ok ");
  EXPECT_EQ(env.ctx.log.row(), 2);
}

TEST(ConvertLedgerEntry, ExtraTextContinuesTheFirstTextOrBecomesTheRemark) {
  struct Case {
    std::string extra, first, remark;
  };
  const std::string long_remark(51, 'r');
  const Case cases[] = {
      {"^ i materiałów biurowych", "Zakup towaru i materiałów biurowych", ""},
      {"^" + std::string(50, 'c'), "Zakup towaru" + std::string(36, 'c'), ""},
      {"zapłacono gotówką", "Zakup towaru", "zapłacono gotówką"},
      {long_remark, "Zakup towaru", std::string(40, 'r')},
      {"", "Zakup towaru", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    TestEnv env;
    bool carried = false;
    Record out = Convert(env, OldEntry(c.extra), &carried);
    ASSERT_TRUE(carried);
    EXPECT_EQ(TextAt(out, 400, 48), c.first);
    EXPECT_EQ(TextAt(out, 788, 40), c.remark);
  }
}

TEST(ConvertLedgerEntry, ColumnTwentyOneAndTheFirmProportion) {
  struct Case {
    uint8_t column_byte;
    bool by_proportion;
    uint8_t column_after;
    uint16_t kind_after;  // 16-bit at 243 (the fixture's own value unless changed)
    bool proportion_set;
  };
  const uint16_t fixture_kind = GetU16(OldEntry(), 243);
  const Case cases[] = {
      {21, false, 15, 2, false},
      {0x80 | 21, true, 15, 2, true},
      {20, true, 20, fixture_kind, true},
      {0x80 | 36, true, 0x80 | 36, fixture_kind, true},
      {3, true, 3, fixture_kind, false},
      {20, false, 20, fixture_kind, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.column_byte} << " " << c.by_proportion);
    TestEnv env;
    env.ctx.firm.vat_by_proportion = c.by_proportion;
    env.ctx.firm.vat_proportion = 60;
    Record in = OldEntry("", c.column_byte);
    bool carried = false;
    Record out = Convert(env, in, &carried);
    ASSERT_TRUE(carried);
    EXPECT_EQ(out[242], c.column_after);
    EXPECT_EQ(GetU16(out, 243), c.kind_after);
    EXPECT_EQ(GetU16(out, 344), c.proportion_set ? 60 : GetU16(in, 344));
  }
}

TEST(ConvertLedgerEntry, ProportionSixtyLeavesFortyAndNinePointTwentyNotDeducted) {
  TestEnv env;
  env.ctx.firm.vat_by_proportion = true;
  env.ctx.firm.vat_proportion = 60;
  Record in = OldEntry("", 20);
  for (std::size_t i = 237; i < 400; ++i) in[i] = 0;
  PutU8(in, 237, 2 | 1);
  PutU8(in, 242, 20);
  PutU16(in, 243, 1);
  PutReal(in, 248, 100.00);
  PutReal(in, 256, 23.00);
  bool carried = false;
  Record out = Convert(env, in, &carried);
  ASSERT_TRUE(carried);
  EXPECT_DOUBLE_EQ(GetReal(out, 845), 40.00);
  EXPECT_NEAR(GetReal(out, 853), 9.20, 1e-9);
  EXPECT_NEAR(GetReal(out, 369), 109.20, 1e-9);
  EXPECT_EQ(GetReal(out, 378), 0.0);
}

TEST(ConvertLedgerEntry, StruckOutEntryIsLoggedAndLeftOut) {
  struct Case {
    const char* name;
    bool slow, pause;
    const char* keys;
    uint64_t slept;
  };
  const Case cases[] = {{"plain", false, false, "", 0},
                        {"slow mode pauses", true, true, "", 1000},
                        {"pause per firm waits for a key", false, true, "Enter", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv env;
    env.ctx.run.options.slow_mode = c.slow;
    env.ctx.run.options.pause_per_firm = c.pause;
    env.console.Type(c.keys);
    StartLedgerFile(env.ctx, "", 1024);
    Record in = OldEntry();
    PutU16(in, 30, 0x0102);
    bool carried = true;
    Convert(env, in, &carried);
    EXPECT_FALSE(carried);
    EXPECT_EQ(env.Row(1).substr(0, 46), "RUR=05-03-2019 FV/12      Hurtownia Kowalski S");
    EXPECT_NE(env.Row(1).find("Kowalski SKREŚLONY"), std::string::npos);
    EXPECT_EQ(env.clock.slept_ms(), c.slept);
    EXPECT_EQ(env.console.pending(), 0u);
    // A left-out entry takes no number.
    Record out = Convert(env, OldEntry(), &carried);
    EXPECT_EQ(GetU32(out, 0), 1u);
  }
}

TEST(StartLedgerFile, EntriesAreNumberedPerTargetContinuingAnAppendedFile) {
  TestEnv env;
  env.WriteFile("2019K990.1", std::string(2 * 1024, 'x'));
  const Text target = env.Path("2019K990.1");
  struct Case {
    const char* name;
    bool append;
    Text target;
    std::vector<uint32_t> numbers;
  };
  const Case cases[] = {
      {"new file", false, target, {1, 2, 3}},
      {"appended to two entries", true, target, {3, 4}},
      {"append, no target yet", true, env.Path("2019K990.2"), {1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    env.ctx.copy.append_to_target = c.append;
    StartLedgerFile(env.ctx, c.target, 1024);
    for (uint32_t expected : c.numbers) {
      bool carried = false;
      Record out = Convert(env, OldEntry(), &carried);
      EXPECT_EQ(GetU32(out, 0), expected);
    }
  }
}

TEST(ConvertRepayment, CarriesTheRecordAndLogsItOnOneLine) {
  TestEnv env;
  Record in = Distinct(48, 4);
  PutDate(in, 5, MakeDate(7, 2, 2019));
  SetText(in, 17, 12, "KP/3/2019");
  Record second = in;
  second[17] = 14;  // too long for text (12): cut
  Record out(48, 0xEE);
  ASSERT_TRUE(ConvertRepayment(env.ctx, in, out));
  EXPECT_EQ(out, in);
  ASSERT_TRUE(ConvertRepayment(env.ctx, second, out));
  EXPECT_EQ(Differences(second, out), std::vector<std::size_t>{17});
  EXPECT_EQ(out[17], 12);
  EXPECT_EQ(env.Row(1).substr(0, 58),
            "SP= dnia:07-02-2019 dok:KP/3/2019SP= dnia:07-02-2019 dok:K");
  EXPECT_EQ(env.ctx.log.row(), 1);
}

}  // namespace
}  // namespace qz
