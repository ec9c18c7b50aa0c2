#include "transfer/staff_convert.h"

#include <gtest/gtest.h>

#include "support/test_env.h"
#include "text/format.h"
#include "transfer/staff_test_helpers.h"

namespace qz {
namespace {

using namespace testing_records;

constexpr std::size_t kStaffSize = 2048;
constexpr std::size_t kFamilySize = 352;
constexpr std::size_t kContractSize = 552;

void SetId(Record& r, int64_t id) { PutLe<uint64_t>(r, 0, static_cast<uint64_t>(id)); }

// A plain staff record: distinctive bytes everywhere, every text field of
// the record valid and full, the two name texts readable.
Record StaffRecord(int64_t id, const std::string& surname, Date dismissed = {}) {
  Record r = Distinct(kStaffSize);
  SetId(r, id);
  r[8] = 1;
  const std::pair<std::size_t, std::size_t> texts[] = {
      {40, 31},  {72, 22},   {95, 22},   {118, 22},  {141, 22}, {168, 40},
      {219, 31}, {251, 22},  {427, 36},  {513, 65},  {579, 4},  {1256, 30},
      {1710, 24}, {1745, 31}, {1915, 8}, {1925, 70}, {2000, 15}};
  for (auto [off, max] : texts) SetFullText(r, off, max);
  for (std::size_t k = 0; k < 8; ++k) SetFullText(r, 1300 + 51 * k, 50);
  SetText(r, 40, 31, surname);
  SetText(r, 72, 22, "Jan");
  PutDate(r, 213, dismissed);
  return r;
}

// Whether screen row `row` begins with `text`.
::testing::AssertionResult RowStarts(TestEnv& env, int row, const std::string& text) {
  std::string shown = env.Row(row);
  if (shown.rfind(text, 0) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "row " << row << " is \"" << shown << "\"";
}

Record Scrambled(Record r) {
  ScrambleStaffRecord(r);
  r[8] = 2;
  return r;
}

bool Convert(TestEnv& env, const Record& in, Record* out) {
  out->assign(kStaffSize, 0xEE);
  return ConvertStaffRecord(env.ctx, in, *out);
}

TEST(ScrambleStaffRecord, IsItsOwnInverseAndTouchesOnlyTheScrambledRange) {
  Record plain = Distinct(kStaffSize, 9);
  Record once = plain;
  ScrambleStaffRecord(once);
  for (std::size_t p = 0; p < kStaffSize; ++p) {
    bool inside = p >= 14 && p <= 2021;
    if (!inside) {
      EXPECT_EQ(once[p], plain[p]) << "byte " << p;
    }
  }
  // The first keys of the stream of seed 173: 109, 143, 241, 94, 64.
  const uint8_t keys[] = {109, 143, 241, 94, 64};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(once[14 + i], plain[14 + i] ^ keys[i]) << i;
  EXPECT_GT(Differences(plain, once).size(), 1900u);
  Record twice = once;
  ScrambleStaffRecord(twice);
  EXPECT_EQ(twice, plain);
}

TEST(ConvertStaffRecord, PlainRecordArrivesPlainAndScrambledArrivesScrambled) {
  TestEnv env;
  StartStaffList(env.ctx);
  Record plain = StaffRecord(11, "Kowalski");
  Record scrambled = Scrambled(plain);
  Record out;

  ASSERT_TRUE(Convert(env, plain, &out));
  EXPECT_EQ(out, plain);

  ASSERT_TRUE(Convert(env, scrambled, &out));
  EXPECT_EQ(out[8], 2);
  EXPECT_EQ(out, scrambled);
  Record back = out;
  ScrambleStaffRecord(back);
  EXPECT_EQ(TextAt(back, 40, 31), "Kowalski");

  // The log shows the person unscrambled, in the label and name colours.
  std::string log = LogText(env);
  EXPECT_NE(log.find("osoba: Kowalski Jan"), std::string::npos) << log;
  EXPECT_EQ(env.console.screen().AttrAt(1, 1), 8);
  EXPECT_EQ(env.console.screen().AttrAt(8, 1), 15);
  EXPECT_EQ(env.ctx.staff.person_count, 2);
}

TEST(ConvertStaffRecord, TextPassesCutOverlongTextsAndNothingElse) {
  TestEnv env;
  StartStaffList(env.ctx);
  Record in = StaffRecord(5, "Nowak");
  in[2000] = 40;        // text (15)
  in[513] = 90;         // name of the name code block, text (65)
  in[579] = 9;          // code of the block, text (4)
  in[1300 + 51 * 7] = 51;  // last of the eight texts (50)
  Record out;
  ASSERT_TRUE(Convert(env, in, &out));
  EXPECT_EQ(out[2000], 15);
  EXPECT_EQ(out[513], 65);
  EXPECT_EQ(out[579], 4);
  EXPECT_EQ(out[1300 + 51 * 7], 50);
  EXPECT_EQ(Differences(in, out), (std::vector<std::size_t>{513, 579, 1300 + 51 * 7, 2000}));
}

TEST(ConvertStaffRecord, DeletedRecordIsDroppedSilently) {
  TestEnv env;
  StartStaffList(env.ctx);
  Record out;
  EXPECT_FALSE(Convert(env, StaffRecord(-3, "Usunięty"), &out));
  EXPECT_FALSE(Convert(env, Scrambled(StaffRecord(-3, "Usunięty")), &out));
  EXPECT_EQ(env.ctx.staff.person_count, 0);
  EXPECT_EQ(LogText(env).find("osoba"), std::string::npos);
}

struct ModeCase {
  const char* name;
  uint16_t mode;
  Date dismissed;
  const char* keys;
  bool carried;
  const char* log;
  uint64_t slept_ms;
};

TEST(ConvertStaffRecord, ModesDecideWhoIsCarried) {
  const ModeCase cases[] = {
      {"all, dismissed 30.12", 0, MakeDate(30, 12, 2018), "", true, "osoba: Lis Jan", 0},
      {"employed, dismissed 30.12", 1, MakeDate(30, 12, 2018), "", false,
       "osoba: Lis Jan - zwolniony", 250},
      {"employed, dismissed 1.06", 1, MakeDate(1, 6, 2018), "", false, " - zwolniony", 250},
      {"employed, dismissed 31.12", 1, MakeDate(31, 12, 2018), "", true, "osoba: Lis Jan ", 0},
      {"employed, dismissed 2019", 1, MakeDate(15, 1, 2019), "", true, "osoba: Lis Jan ", 0},
      {"employed, no date", 1, Date{}, "", true, "osoba: Lis Jan ", 0},
      {"ask, t", 2, Date{}, "\"t\"", true, "osoba: Lis Jan Przenieść T/N /W  ? ", 0},
      {"ask, other keys ignored, n", 2, MakeDate(30, 12, 2018), "\"x5n\"", false,
       "Przenieść T/N /W  ? ", 0},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv env;
    env.ctx.run.options.staff_mode = c.mode;
    StartStaffList(env.ctx);
    env.console.Type(c.keys);
    Record out;
    EXPECT_EQ(Convert(env, StaffRecord(7, "Lis", c.dismissed), &out), c.carried);
    EXPECT_EQ(env.ctx.staff.person_count, c.carried ? 1 : 0);
    EXPECT_EQ(env.ctx.staff.person_list[0], c.carried ? 7 : 0);
    EXPECT_NE(LogText(env).find(c.log), std::string::npos) << LogText(env);
    EXPECT_EQ(env.clock.slept_ms(), c.slept_ms);
    EXPECT_EQ(env.console.pending(), 0u);
    EXPECT_EQ(env.ctx.log.row(), 2) << "the person's line is ended";
  }
}

TEST(ConvertStaffRecord, AnswerWCarriesTheRestOfTheFirmWithoutAsking) {
  TestEnv env;
  env.ctx.run.options.staff_mode = 2;
  StartStaffList(env.ctx);
  Record out;
  const bool expected[] = {true, false, true, true, true};
  env.console.Type("\"TnW\"");
  for (int64_t id = 1; id <= 5; ++id) {
    EXPECT_EQ(Convert(env, StaffRecord(id, "Osoba" + std::to_string(id)), &out), expected[id - 1])
        << id;
  }
  EXPECT_EQ(env.ctx.staff.person_count, 4);
  EXPECT_EQ(env.ctx.staff.person_list[0], 1);
  EXPECT_EQ(env.ctx.staff.person_list[1], 3);
  EXPECT_EQ(env.ctx.staff.person_list[3], 5);
  EXPECT_NE(env.Row(3).find("Przenieść"), std::string::npos);
  EXPECT_EQ(env.Row(4).find("Przenieść"), std::string::npos) << env.Row(4);
  EXPECT_EQ(env.Row(5).find("Przenieść"), std::string::npos);

  // The next firm asks again.
  StartStaffList(env.ctx);
  EXPECT_EQ(env.ctx.staff.ask_mode, 2);
  EXPECT_EQ(env.ctx.staff.person_count, 0);
  EXPECT_EQ(env.ctx.staff.person_list[0], 0);
  EXPECT_THROW(Convert(env, StaffRecord(9, "Nowy"), &out), ScriptExhausted);
}

TEST(ConvertStaffRecord, PersonListHoldsAtMost2047PersonsAndSaysSoOnce) {
  TestEnv env;
  StartStaffList(env.ctx);
  env.ctx.staff.person_count = 2045;
  env.console.Type("Enter");
  Record out;
  for (int64_t id = 2046; id <= 2049; ++id) EXPECT_TRUE(Convert(env, StaffRecord(id, "P"), &out));
  EXPECT_EQ(env.ctx.staff.person_count, 2049);
  EXPECT_EQ(env.ctx.staff.person_list[2045], 2046);
  EXPECT_EQ(env.ctx.staff.person_list[2046], 2047);
  EXPECT_EQ(env.ctx.staff.person_list[2047], 0);
  std::string log = LogText(env);
  const std::string message = "Upss... za dużo pracowników, nie połapię się w rodzinach !";
  std::size_t at = log.find(message);
  ASSERT_NE(at, std::string::npos) << log;
  EXPECT_EQ(log.find(message, at + 1), std::string::npos);
  EXPECT_EQ(env.console.pending(), 0u);
}

Record FamilyRecord(int64_t id, const std::string& name) {
  Record r = Distinct(kFamilySize, 3);
  SetId(r, id);
  SetFullText(r, 46, 9);
  SetText(r, 56, 31, name);
  SetText(r, 88, 22, "Anna");
  return r;
}

Record ContractRecord(int64_t id) {
  Record r = Distinct(kContractSize, 5);
  SetId(r, id);
  for (auto [off, max] : {std::pair<std::size_t, std::size_t>{20, 10}, {31, 10}, {42, 60},
                          {103, 60}, {164, 60}})
    SetFullText(r, off, max);
  return r;
}

// A firm whose staff file carried persons 10 and 30.
void CarryPersons(TestEnv& env) {
  StartStaffList(env.ctx);
  Record out;
  ASSERT_TRUE(Convert(env, StaffRecord(10, "A"), &out));
  ASSERT_TRUE(Convert(env, StaffRecord(30, "B"), &out));
  env.ctx.log.Clear(true);
}

TEST(ConvertFamilyRecord, CarriesMembersOfListedPersonsOnly) {
  TestEnv env;
  CarryPersons(env);
  Record in = FamilyRecord(30, "Kowalska");
  in[46] = 12;  // text (9) stored too long
  Record out(kFamilySize, 0xEE);
  ASSERT_TRUE(ConvertFamilyRecord(env.ctx, in, out));
  EXPECT_EQ(Differences(in, out), std::vector<std::size_t>{46});
  EXPECT_EQ(out[46], 9);
  EXPECT_TRUE(RowStarts(env, 1, "  Kowalska Anna "));

  // A deleted member goes without a word; a member of a person not carried
  // is dropped with the message and a key wait.
  EXPECT_FALSE(ConvertFamilyRecord(env.ctx, FamilyRecord(-30, "X"), out));
  EXPECT_EQ(out, Record(kFamilySize, 0));
  env.console.Type("Enter");
  EXPECT_FALSE(ConvertFamilyRecord(env.ctx, FamilyRecord(20, "Obca"), out));
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_TRUE(RowStarts(env, 2, "Nie odnaleziono osoby związanej z członkiem rodziny !"));
}

TEST(CheckContractRecord, KeepsContractsOfListedPersonsWithTextsPassed) {
  TestEnv env;
  CarryPersons(env);
  Record rec = ContractRecord(10);
  rec[103] = 77;  // text (60) stored too long
  Record in = rec;
  ASSERT_TRUE(CheckContractRecord(env.ctx, rec));
  EXPECT_EQ(Differences(in, rec), std::vector<std::size_t>{103});
  EXPECT_EQ(rec[103], 60);

  Record deleted = ContractRecord(-1);
  EXPECT_FALSE(CheckContractRecord(env.ctx, deleted));
  env.console.Type("Enter");
  Record stranger = ContractRecord(11);
  EXPECT_FALSE(CheckContractRecord(env.ctx, stranger));
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_NE(LogText(env).find(
                "Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"),
            std::string::npos);
}

TEST(CheckContractRecord, EveryContractIsDroppedWhenNoPersonWasCarried) {
  // The staff item not chosen (or every person dropped): the list is empty.
  TestEnv env;
  env.ctx.run.options.staff_mode = 1;
  StartStaffList(env.ctx);
  Record out;
  EXPECT_FALSE(Convert(env, StaffRecord(10, "A", MakeDate(1, 2, 2018)), &out));
  env.ctx.log.Clear(true);
  env.console.Type("Enter Enter Enter Enter Enter Enter");
  Record member_out(kFamilySize);
  for (int64_t id : {0, 10, 30}) {
    Record rec = ContractRecord(id);
    EXPECT_FALSE(CheckContractRecord(env.ctx, rec)) << id;
    EXPECT_FALSE(ConvertFamilyRecord(env.ctx, FamilyRecord(id, "F"), member_out)) << id;
  }
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_NE(env.Row(3).find("umową/zlecenia"), std::string::npos) << LogText(env);
}

TEST(PersonSearch, CountAbove2048GivesTheCountMessageForEveryRecord) {
  TestEnv env;
  StartStaffList(env.ctx);
  env.ctx.staff.person_count = 2100;
  for (std::size_t slot = 1; slot <= 2047; ++slot) env.ctx.staff.person_list[slot - 1] = 9 + slot;
  Record out(kFamilySize);
  // Found: the count message and its key wait only.
  env.console.Type("Enter");
  EXPECT_TRUE(ConvertFamilyRecord(env.ctx, FamilyRecord(10, "F"), out));
  EXPECT_TRUE(RowStarts(env, 1, "Upss... Wskaźnik osoby > max ilość osob !"));
  // Not found (an identifier 0 does not match the never filled last slot):
  // the count message and the not-found message, two key waits.
  env.console.Type("Enter Enter");
  Record contract = ContractRecord(0);
  EXPECT_FALSE(CheckContractRecord(env.ctx, contract));
  EXPECT_TRUE(RowStarts(env, 3, "Upss... za duża ilość pracownikow !"));
  EXPECT_NE(env.Row(4).find("nie odnaleziono"), std::string::npos);
  EXPECT_EQ(env.console.pending(), 0u);
  // A deleted record says nothing.
  EXPECT_FALSE(ConvertFamilyRecord(env.ctx, FamilyRecord(-1, "F"), out));
}

}  // namespace
}  // namespace qz
