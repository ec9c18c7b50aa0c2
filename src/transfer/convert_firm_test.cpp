#include "transfer/convert_firm.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/context.h"
#include "platform/keys.h"
#include "support/fixture.h"
#include "support/test_env.h"

namespace qz {
namespace {

using fixture::AnsweringConsole;
using fixture::Office;
using fixture::PatternRecord;
using fixture::Record;
using fixture::ScreenText;

constexpr uint16_t kKeyZ = static_cast<uint16_t>(0x2C00 | 'z');  // "keep the target"

bool Has(const std::string& screen, const std::string& text) {
  return screen.find(text) != std::string::npos;
}

// 2018 annual settings: December approved, no VAT proportion.
std::vector<Record> Settings2018() {
  Record r1(512);
  r1.U8(3, 13);
  return {r1, Record(512), Record(512)};
}

struct ConvertFirmTest : ::testing::Test {
  TestEnv env;
  Office office{env};
  Context& ctx = env.ctx;

  void AddFirm(const std::string& firm) { office.AddFirm(firm, PatternRecord(256, 7), Settings2018()); }
};

TEST_F(ConvertFirmTest, YearMarkerIsOneRecordOfTheNewYear) {
  Record first = PatternRecord(256, 7);
  office.AddFirm("F1", first, Settings2018());
  office.WriteOldRecords("F1", "_qz_rur.rek", {first, PatternRecord(256, 90)});
  ASSERT_TRUE(ConvertFirm(ctx, "F1"));

  std::string marker = office.ReadNew("F1", "_qz_rur.rek");
  ASSERT_EQ(marker.size(), 256u);
  Record want = first;
  want.U16(0, 2019).U16(2, 2019).U16(4, 2019).U8(7, 1);
  EXPECT_TRUE(Record(std::vector<uint8_t>(marker.begin(), marker.end())) == want);
  EXPECT_TRUE(Has(ScreenText(env), "Koniec konwersji danych firmy"));
  EXPECT_EQ(office.ReadNew("F1", "2019_ROK.REK").size(), 3u * 512);
}

TEST_F(ConvertFirmTest, ItemsOfThe2019SettingsNeedThem) {
  for (const char* firm : {"F18", "F19"}) {
    office.WriteOldRecords(firm, "_qz_rur.rek", {PatternRecord(256)});
    office.WriteOld(firm, "2019vJ17.REK", "vat-7");
    office.WriteOld(firm, "2019kol2.rek", "columns");
    office.WriteOldRecords(firm, "2019ZAL.REK", {Record(1024)});
  }
  office.WriteOldRecords("F18", "2018_ROK.REK", Settings2018());
  office.WriteOldRecords("F19", "2019_ROK.REK", Settings2018());

  ASSERT_TRUE(ConvertFirm(ctx, "F18"));
  EXPECT_FALSE(ctx.firm.use_2019_settings);
  EXPECT_FALSE(office.NewExists("F18", "2019vJ17.REK"));
  EXPECT_FALSE(office.NewExists("F18", "2019kol2.rek"));
  EXPECT_FALSE(office.NewExists("F18", "2019ZAL.REK"));

  ASSERT_TRUE(ConvertFirm(ctx, "F19"));
  EXPECT_TRUE(ctx.firm.use_2019_settings);
  EXPECT_EQ(office.ReadNew("F19", "2019vJ17.REK"), "vat-7");
  EXPECT_EQ(office.ReadNew("F19", "2019kol2.rek"), "columns");
  EXPECT_EQ(office.ReadNew("F19", "2019ZAL.REK").size(), 1024u);
}

TEST_F(ConvertFirmTest, FirmsThatCannotStartAreSkipped) {
  struct Case {
    const char* name;
    bool marker;
    std::string marker_bytes;
    bool settings;
    const char* message;
  };
  const Case cases[] = {
      {"no annual settings", true, std::string(256, 'm'), false, "Brak danych za rok 2018 czy 2019"},
      {"no year marker", false, "", true, "Brak dostepu do "},
      {"empty year marker", true, "", true, "Błąd odczytu danych z "},
      {"short year marker", true, std::string(100, 'm'), true, "Błąd odczytu danych z "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv env2;
    Office office2(env2);
    if (c.marker) office2.WriteOld("F1", "_qz_rur.rek", c.marker_bytes);
    if (c.settings) office2.WriteOldRecords("F1", "2018_ROK.REK", Settings2018());
    env2.WriteFile("old/F1/.keep", "");
    env2.console.Type("Space");
    EXPECT_FALSE(ConvertFirm(env2.ctx, "F1"));
    EXPECT_EQ(env2.console.pending(), 0u);
    std::string screen = ScreenText(env2);
    EXPECT_TRUE(Has(screen, c.message)) << screen;
    EXPECT_FALSE(office2.NewExists("F1", "_qz_rur.rek"));
    if (!c.settings) {
      EXPECT_TRUE(Has(screen, "Brak :"));
      EXPECT_TRUE(Has(screen, "Nie można dokonać konwersji ..."));
    }
  }
}

TEST_F(ConvertFirmTest, FirmDirectoryThatCannotBeMadeSkipsTheFirm) {
  AddFirm("F1");
  env.fs.FailNth(FsOp::kMakeDir, 1, dos::kAccessDenied);
  env.console.Type("Enter");
  EXPECT_FALSE(ConvertFirm(ctx, "F1"));
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_FALSE(env.Exists("new/F1"));
}

TEST_F(ConvertFirmTest, LedgerMonthsKeepTheirNumbersAndJanuaryIsAppended) {
  AddFirm("F1");
  office.WriteOldRecords("F1", "2019K880.1", {Record(400)});
  office.WriteOldRecords("F1", "2019K880.12", {Record(400)});
  env.WriteFile("new/F1/2019K990.1", std::string(1024, 'j'));  // January already begun
  ctx.run.options.firm_items = 0;  // keep the log short
  ctx.run.options.module_items = 0;
  ASSERT_TRUE(ConvertFirm(ctx, "F1"));  // a question would find no key
  EXPECT_TRUE(office.NewExists("F1", "2019K990.12"));
  EXPECT_FALSE(office.NewExists("F1", "2019K990.01"));
  std::string january = office.ReadNew("F1", "2019K990.1");
  EXPECT_EQ(january.substr(0, 1024), std::string(1024, 'j'));
  EXPECT_FALSE(ctx.copy.append_to_target);
}

TEST_F(ConvertFirmTest, ExtraFilesAreCopiedOnceLabelledAndChecked) {
  AddFirm("F1");
  office.WriteOld("F1", "A.DAT", "a");
  office.WriteOld("F1", "C.DAT", "c");
  ctx.run.extra_files = {"A.DAT>B.DAT", "C.DAT", "..>x"};
  ctx.run.options.firm_items = 0;
  ctx.run.options.entries_2019 = 0;
  ctx.run.options.module_items = 0;
  ASSERT_TRUE(ConvertFirm(ctx, "F1"));
  EXPECT_EQ(office.ReadNew("F1", "B.DAT"), "a");
  EXPECT_EQ(office.ReadNew("F1", "C.DAT"), "c");
  std::string screen = ScreenText(env);
  std::size_t label = screen.find("Lista dodatkowa ....");
  ASSERT_NE(label, std::string::npos);
  EXPECT_EQ(screen.find("Lista dodatkowa ....", label + 1), std::string::npos);
  EXPECT_TRUE(Has(screen, "Niepoprawna nazwa pliku .."));
}

TEST_F(ConvertFirmTest, PausePerFirmWaitsAfterTheLastLine) {
  AddFirm("F1");
  ctx.run.options.pause_per_firm = true;
  env.console.Type("Space");
  ASSERT_TRUE(ConvertFirm(ctx, "F1"));
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_TRUE(Has(ScreenText(env), "cdn - naciśnij dowolny klawisz."));
}

// A firm with a file for nearly every item of the table.
void WriteFullFirm(Office& office, const std::string& firm) {
  office.AddFirm(firm, PatternRecord(256, 7), Settings2018());
  office.WriteOld(firm, "FIRMATXT.INI", "[FIRMA]\r\nNAZWA=Test\r\n");
  office.WriteOldRecords(firm, "FIRMA_A8.REK", {PatternRecord(224, 1)});
  office.WriteOldRecords(firm, "baza_sp8.rek", {PatternRecord(160, 2)});
  office.WriteOldRecords(firm, "baza_za8.rek", {PatternRecord(160, 3)});
  office.WriteOld(firm, "baza_ff.txt", "F1=Sprzedaz\r\n");
  office.WriteOld(firm, "Notes.txt", "notatka\r\n");
  office.WriteOldRecords(firm, "BAZA_PP8.REK", {PatternRecord(432, 4)});
  office.WriteOld(firm, "ZUS_PEL.INI", "[ZUS]\r\n");
  office.WriteOldRecords(firm, "ESTUJ.REK", {Record(768)});
  office.WriteOld(firm, "BAZA_PP8.INI", "[PRZELEWY]\r\n");
  office.WriteOldRecords(firm, "BAZA_DW8.REK", {PatternRecord(784, 5)});
  office.WriteOldRecords(firm, "ODS_ZOB.REK", {Record(200)});
  office.WriteOldRecords(firm, "AUTOV26.REK", {Record(320)});
  office.WriteOldRecords(firm, "2019K880.1", {Record(400)});
  office.WriteOldRecords(firm, "2019SP.2", {Record(48)});
  office.WriteOldRecords(firm, "2019_NK8.REK", {PatternRecord(848, 6)});
  office.WriteOld(firm, "2019D401.001", std::string(896 + 448, 'd'));
  office.WriteOld(firm, "dokument.rek", "dok\r\n");
  office.WriteOldRecords(firm, "srodki.rek", {Record(39771)});
  office.WriteOldRecords(firm, "stbazy.rek", {Record(367).Str(51, 12, "MASZYNY")});
  office.WriteOldRecords(firm, "MASZYNY.REK", {Record(39771)});
  office.WriteOld(firm, "a.cel", "cel");
  office.WriteOldRecords(firm, "_2019/x.kst", {Record(572)});
  office.WriteOld(firm, "km__1.rek", "km");
  office.WriteOld(firm, "rur_import.xml", "<xml/>");
  office.WriteOld(firm, "EXTRA.DAT", "extra");
}

// An unattended run: every wait for a key is answered with "z" (keep).
struct UnattendedRun {
  TestEnv env;
  Office office{env};
  AnsweringConsole console{kKeyZ};
  Platform platform{env.fs, console, env.clock, env.process};
  Context ctx{platform};
  UnattendedRun() { ctx.run = env.ctx.run; }
};

TEST(ConvertFirmRun, OldInstallationIsOnlyRenamedByHideConverted) {
  UnattendedRun run;
  WriteFullFirm(run.office, "F1");
  run.ctx.run.extra_files = {"EXTRA.DAT"};
  run.ctx.run.options.hide_converted = true;
  run.ctx.run.options.module_items = 0xFFFF;
  run.ctx.run.options.pause_per_firm = true;
  auto before = run.office.SnapshotOld();

  ASSERT_TRUE(ConvertFirm(run.ctx, "F1"));

  for (auto& [name, bytes] : before) {
    if (name == "old/F1/2019K880.1" || name == "old/F1/2019SP.2") name += "~";
  }
  std::sort(before.begin(), before.end());
  EXPECT_TRUE(run.office.SnapshotOld() == before);
  for (const char* made : {"2019_ROK.REK", "FIRMA_A8.REK", "baza_sp9.rek", "baza_za9.rek",
                           "baza_ff.txt", "Notes.txt", "BAZA_PP8.REK", "ZUS_PEL.INI",
                           "ESTUJ.REK", "BAZA_PP8.INI", "BAZA_DW8.REK", "ODS_ZOB.REK",
                           "AUTOV26.REK", "2019K990.1", "2019SP.2", "2019_NK8.REK",
                           "2019D501.001", "dokument.rek", "srodki.rek", "stbazy.rek",
                           "MASZYNY.REK", "a.cel", "_2019/x.kst", "km__1.rek",
                           "rur_import.xml", "EXTRA.DAT"}) {
    EXPECT_TRUE(run.office.NewExists("F1", made)) << made;
  }
}

TEST(ConvertFirmRun, FailingItemsStillEnterTheFirm) {
  UnattendedRun run;
  WriteFullFirm(run.office, "F1");
  // The firm description is left out: a description that cannot be written
  // stops the whole run by design.
  run.ctx.run.options.firm_items = 0xFFFE;
  // The new year marker is the first file made; everything after it fails.
  run.env.fs.FailFrom(FsOp::kCreate, 2, dos::kAccessDenied);
  EXPECT_TRUE(ConvertFirm(run.ctx, "F1"));
  run.env.fs.Clear();
  EXPECT_TRUE(run.office.NewExists("F1", "_qz_rur.rek"));
  EXPECT_FALSE(run.office.NewExists("F1", "BAZA_PP8.REK"));
  EXPECT_GT(run.console.answers(), 5);
}

}  // namespace
}  // namespace qz
