#include "transfer/annual_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/context.h"
#include "support/fixture.h"
#include "support/test_env.h"
#include "text/cp852.h"
#include "transfer/convert_firm.h"

namespace qz {
namespace {

using fixture::Office;
using fixture::PatternRecord;
using fixture::Record;
using fixture::ScreenText;

std::string FirstDiff(const Record& got, const Record& want) {
  if (got.size() != want.size()) return "sizes differ";
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got.data()[i] != want.data()[i]) return "first difference at byte " + std::to_string(i);
  }
  return "equal";
}

#define EXPECT_SAME_RECORD(got, want) EXPECT_TRUE((got) == (want)) << FirstDiff((got), (want))

void Carry(Record& want, const Record& in, std::size_t off, std::size_t n) {
  want.Raw(off, in.str_bytes().substr(off, n));
}

// Source records with a value in every byte; the VAT flag off and December
// approved unless a test says otherwise.
std::vector<Record> Source(uint8_t seed) {
  Record r1 = PatternRecord(512, seed);
  r1.U8(3, 13).U8(117, 0).Real(246, 12345.67).Real(344, -89.5);
  Record r2 = PatternRecord(512, seed + 1);
  for (std::size_t k = 0; k < 10; ++k) {
    r2.Str(2 + 16 * k, 6, "K" + std::to_string(k)).Str(11 + 16 * k, 6, "OPIS" + std::to_string(k));
  }
  return {r1, r2, PatternRecord(512, seed + 2)};
}

// The fields carried from either source.
void CarryCommonRecord1(Record& want, const Record& in) {
  for (auto [off, n] : std::vector<std::pair<std::size_t, std::size_t>>{
           {0, 2},   {5, 2},   {7, 2},   {12, 1},  {13, 1},  {14, 2},  {112, 2},
           {114, 1}, {115, 1}, {116, 1}, {117, 1}, {122, 1}, {123, 4}, {127, 2},
           {133, 1}, {135, 2}, {137, 2}, {139, 2}, {141, 1}, {142, 1}, {143, 1},
           {254, 2}, {364, 2}, {408, 8}, {418, 1}, {419, 1}, {420, 1}, {421, 2}}) {
    Carry(want, in, off, n);
  }
  want.U8(4, 3).U8(131, 3);
}

struct AnnualTest : ::testing::Test {
  TestEnv env;
  Office office{env};
  Context& ctx = env.ctx;

  void StartFirm(const std::string& firm) {
    BeginFirm(ctx, firm);
    env.WriteFile("new/" + firm + "/.keep", "");
  }
  std::vector<Record> Target(const std::string& firm = "F1") {
    return office.ReadNewRecords(firm, "2019_ROK.REK", 512);
  }
};

TEST_F(AnnualTest, From2018StartsTheYearAndMovesTheDecemberBalance) {
  std::vector<Record> src = Source(10);
  office.WriteOldRecords("F1", "2018_ROK.REK", src);
  StartFirm("F1");
  ConvertAnnualSettings(ctx);

  std::vector<Record> out = Target();
  ASSERT_EQ(out.size(), 3u);
  Record w1(512);
  CarryCommonRecord1(w1, src[0]);
  w1.U8(2, 1).U8(3, 1).U16(118, src[0].u16(120)).Real(150, 12345.67).Real(256, -89.5).U16(416, 1);
  for (std::size_t k = 0; k < 12; ++k) w1.U16(16 + 8 * k, 1).U16(18 + 8 * k, 1);
  EXPECT_SAME_RECORD(out[0], w1);

  Record w2(512);
  Carry(w2, src[1], 0, 2);
  Carry(w2, src[1], 162, 2);
  for (std::size_t k = 0; k < 10; ++k) {
    w2.Str(2 + 16 * k, 6, "K" + std::to_string(k)).U16(9 + 16 * k, 1)
        .Str(11 + 16 * k, 6, "OPIS" + std::to_string(k));
  }
  EXPECT_SAME_RECORD(out[1], w2);

  Record w3(512);
  for (auto [off, n] : std::vector<std::pair<std::size_t, std::size_t>>{
           {0, 2}, {2, 8}, {10, 8}, {270, 8}, {278, 2}}) {
    Carry(w3, src[2], off, n);
  }
  EXPECT_SAME_RECORD(out[2], w3);

  EXPECT_FALSE(ctx.firm.use_2019_settings);
  EXPECT_FALSE(ctx.firm.vat_by_proportion);
  EXPECT_EQ(ctx.firm.vat_proportion, src[0].u16(120));
  EXPECT_EQ(ctx.firm.firm_source_path, ctx.firm.source_dir.substr(0, 40));
  EXPECT_NE(ScreenText(env).find("Utworzono dane w 2019"), std::string::npos);
}

TEST_F(AnnualTest, From2019CopiesTheListedFields) {
  std::vector<Record> src = Source(40);
  src[0].U8(3, 7);  // an open month does not matter for the 2019 file
  office.WriteOldRecords("F1", "2019_ROK.REK", src);
  StartFirm("F1");
  ConvertAnnualSettings(ctx);

  std::vector<Record> out = Target();
  ASSERT_EQ(out.size(), 3u);
  Record w1(512);
  CarryCommonRecord1(w1, src[0]);
  Carry(w1, src[0], 2, 2);
  Carry(w1, src[0], 118, 2);
  Carry(w1, src[0], 150, 104);
  Carry(w1, src[0], 256, 96);
  Carry(w1, src[0], 416, 2);
  for (std::size_t k = 0; k < 12; ++k) Carry(w1, src[0], 16 + 8 * k, 4);
  EXPECT_SAME_RECORD(out[0], w1);

  Record w2(512);
  Carry(w2, src[1], 0, 2);
  Carry(w2, src[1], 162, 2);
  for (std::size_t k = 0; k < 10; ++k) {
    w2.Str(2 + 16 * k, 6, "K" + std::to_string(k)).U16(9 + 16 * k, src[1].u16(9 + 16 * k))
        .Str(11 + 16 * k, 6, "OPIS" + std::to_string(k));
  }
  EXPECT_SAME_RECORD(out[1], w2);

  Record w3(512);
  for (auto [off, n] : std::vector<std::pair<std::size_t, std::size_t>>{
           {0, 2}, {2, 8}, {10, 8}, {18, 252}, {270, 8}, {278, 2}}) {
    Carry(w3, src[2], off, n);
  }
  EXPECT_SAME_RECORD(out[2], w3);
  EXPECT_TRUE(ctx.firm.use_2019_settings);
}

TEST_F(AnnualTest, BothYearsAskAndTheAnswerChoosesTheSource) {
  struct Case {
    const char* keys;
    bool use2019;
    bool sticky;
  };
  // One key each: the log drops keys typed ahead of the question.
  const Case cases[] = {{"b", false, false}, {"N", true, false}, {"a", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    TestEnv env2;
    Office office2(env2);
    std::vector<Record> old2018 = Source(1);
    std::vector<Record> old2019 = Source(2);
    office2.WriteOldRecords("F1", "2018_ROK.REK", old2018);
    office2.WriteOldRecords("F1", "2019_ROK.REK", old2019);
    BeginFirm(env2.ctx, "F1");
    env2.WriteFile("new/F1/.keep", "");
    env2.console.Type(c.keys);
    ConvertAnnualSettings(env2.ctx);
    EXPECT_EQ(env2.console.pending(), 0u);
    EXPECT_EQ(env2.ctx.firm.use_2019_settings, c.use2019);
    EXPECT_EQ(env2.ctx.firm.always_use_2019_settings, c.sticky);
    std::vector<Record> out = office2.ReadNewRecords("F1", "2019_ROK.REK", 512);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].u16(0), (c.use2019 ? old2019 : old2018)[0].u16(0));
    std::string screen = ScreenText(env2);
    EXPECT_NE(screen.find("Występują dane ROCZNE za rok 2018 i 2019 !"), std::string::npos);
    EXPECT_NE(screen.find(std::string(" - wybrano: ") + static_cast<char>(
                              std::toupper(c.keys[std::string(c.keys).size() - 1]))),
              std::string::npos);
  }
}

TEST_F(AnnualTest, AnswerAHoldsForLaterFirms) {
  for (const char* firm : {"F1", "F2"}) {
    office.WriteOldRecords(firm, "2018_ROK.REK", Source(1));
    office.WriteOldRecords(firm, "2019_ROK.REK", Source(2));
  }
  StartFirm("F1");
  env.console.Type("A");
  ConvertAnnualSettings(ctx);
  StartFirm("F2");
  ConvertAnnualSettings(ctx);  // no key left: a question would throw
  EXPECT_TRUE(ctx.firm.use_2019_settings);
  EXPECT_EQ(Target("F2")[0].u16(0), Source(2)[0].u16(0));
}

TEST_F(AnnualTest, VatProportionQuestionRetriesUntilAValidAnswer) {
  std::vector<Record> src = Source(3);
  src[0].U8(117, 1).U16(118, 7).U16(120, 0);
  office.WriteOldRecords("F1", "2018_ROK.REK", src);
  StartFirm("F1");
  env.console.Type("Backspace \"150\" Enter Backspace \"23\" Enter");
  ConvertAnnualSettings(ctx);
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_EQ(env.console.beeps().size(), 1u);
  EXPECT_TRUE(ctx.firm.vat_by_proportion);
  EXPECT_EQ(ctx.firm.vat_proportion, 23);
  EXPECT_EQ(Target()[0].u16(118), 23);
}

TEST_F(AnnualTest, NoVatQuestionWithoutTheProportionFlag) {
  std::vector<Record> src = Source(3);
  src[0].U8(117, 0).U16(118, 0).U16(120, 0);
  office.WriteOldRecords("F1", "2018_ROK.REK", src);
  StartFirm("F1");
  ConvertAnnualSettings(ctx);  // a question would throw: no keys
  EXPECT_FALSE(ctx.firm.vat_by_proportion);
  EXPECT_EQ(Target()[0].u16(118), 0);
}

TEST_F(AnnualTest, OpenDecemberWarnsAndStillMovesTheBalance) {
  std::vector<Record> src = Source(5);
  src[0].U8(3, 12);
  office.WriteOldRecords("F1", "2018_ROK.REK", src);
  StartFirm("F1");
  env.console.Type("Space");
  ConvertAnnualSettings(ctx);
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_EQ(env.console.beeps().size(), 2u);
  std::string screen = ScreenText(env);
  EXPECT_NE(screen.find("Nie zatwierdzono miesiąca GRUDNIA.2018"), std::string::npos);
  EXPECT_NE(screen.find("mogę przenieść niepoprawny stan BZ.2018 jako BO.2019"),
            std::string::npos);
  EXPECT_EQ(Target()[0].real(150), 12345.67);
}

TEST_F(AnnualTest, FailuresLeaveNoTarget) {
  {
    SCOPED_TRACE("a source of two records");
    std::vector<Record> src = Source(1);
    src.pop_back();
    office.WriteOldRecords("F1", "2018_ROK.REK", src);
    StartFirm("F1");
    env.console.Type("Space");
    ConvertAnnualSettings(ctx);
    EXPECT_FALSE(office.NewExists("F1", "2019_ROK.REK"));
    EXPECT_NE(ScreenText(env).find("Błąd odczytu danych z 2018"), std::string::npos);
  }
  {
    SCOPED_TRACE("a failed write of record 3");
    office.WriteOldRecords("F2", "2018_ROK.REK", Source(1));
    StartFirm("F2");
    env.fs.FailNth(FsOp::kWrite, 3, dos::kDiskFull);
    env.console.Type("Space");
    ConvertAnnualSettings(ctx);
    env.fs.Clear();
    EXPECT_FALSE(office.NewExists("F2", "2019_ROK.REK"));
    EXPECT_NE(ScreenText(env).find("Błąd zapisu danych do 2019"), std::string::npos);
  }
  {
    SCOPED_TRACE("no settings at all");
    StartFirm("F3");
    env.console.Type("Space");
    ConvertAnnualSettings(ctx);
    EXPECT_FALSE(office.NewExists("F3", "2019_ROK.REK"));
    EXPECT_NE(ScreenText(env).find("Brak danych nnnnROK.REK danych za 2018 i 2019 !"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace qz
