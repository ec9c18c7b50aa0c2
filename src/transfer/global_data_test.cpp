#include "transfer/global_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/exit.h"
#include "support/fixture.h"
#include "support/test_env.h"
#include "text/cp852.h"
#include "transfer/global_records.h"
#include "transfer/payroll_convert.h"

namespace qz {
namespace {

using fixture::JoinRecords;
using fixture::PatternRecord;
using fixture::Record;

constexpr char kOld[] = "#BIN980";
constexpr char kNew[] = "#BIN990";

// An old program directory holding every office-wide file.
class GlobalDataTest : public ::testing::Test {
 protected:
  GlobalDataTest() : office(env) {
    Record address = PatternRecord(480, 1);
    address.Str(5, 36, "Nowak Jan");
    Record op = PatternRecord(512, 2);
    op.U16(139, 0x0004).U16(143, 0);
    ScrambleOperatorRecord(op.bytes());
    Old("baza_ad8.rek", JoinRecords({address, PatternRecord(480, 9)}));
    Old("baza_us8.rek", JoinRecords({address}));
    Old("rur_2018.ini", "[RUR]\r\nrok=2018\r\n");
    Old("baza_ff.txt", "F2=Zapłacono gotówką\r\n");
    Old("2018_BR.REK", PatternRecord(384, 4).str_bytes());
    Old("RUR_QZ.INI", "[DLL]\r\nImport=1\r\n");
    Old("2018spd.ini", "[PODATEK]\r\n");
    Old("2018_lp.cc", PatternRecord(2048, 5).str_bytes());
    Old("KOLORY.QZ", std::string(64, '\x17'));
    Old("OPERATOR.REK", op.str_bytes());
    Old("ZUS_PEL.INI", "[ZUS]\r\n");
    Old("UMOWY.INI", "[UMOWY]\r\n");
  }
  void Old(const std::string& name, const std::string& bytes) {
    office.WriteOld(kOld, name, bytes);
  }
  bool NewHas(const std::string& name) { return office.NewExists(kNew, name); }
  std::string New(const std::string& name) { return office.ReadNew(kNew, name); }
  // Screen lines, in order, that start with one of `labels`.
  std::vector<std::string> LabelsShown(const std::vector<std::string>& labels) {
    std::vector<std::string> shown;
    for (int row = 1; row <= 24; ++row) {
      std::string line = env.Row(row);
      for (const std::string& l : labels) {
        if (line.compare(0, l.size(), l) == 0) shown.push_back(l);
      }
    }
    return shown;
  }

  TestEnv env;
  fixture::Office office;
};

const std::vector<std::string> kLabels = {
    "Globalna baza adresów",          "Konfigurator rur_2018.ini",
    "Baza urzedów skarbowych",        "Globale stale klawiszy F2..F10",
    "Dane biura do FRV",              "Konfigurator RUR_QZ.INI",
    "Zeszloroczne stale podatkowe",   "Globale ustawienia wynagrodzen",
    "Ustawienia kolorów",             "cdn - nacisnij dowolny klawisz."};

TEST_F(GlobalDataTest, DefaultItemsRunInOrderAndWriteTheirFiles) {
  env.ctx.run.options.pause_per_firm = true;
  // The run stops at the pause, with the stage's log still on the screen.
  EXPECT_THROW(TransferGlobalData(env.ctx), ScriptExhausted);
  EXPECT_EQ(LabelsShown(kLabels),
            (std::vector<std::string>{"Globalna baza adresów", "Baza urzedów skarbowych",
                                      "Globale stale klawiszy F2..F10", "Konfigurator RUR_QZ.INI",
                                      "Globale ustawienia wynagrodzen", "Ustawienia kolorów",
                                      "cdn - nacisnij dowolny klawisz."}));

  std::vector<Record> addresses = office.ReadNewRecords(kNew, "baza_ad8.rek", 480);
  ASSERT_EQ(addresses.size(), 2u);
  EXPECT_EQ(addresses[0].u8(4), 0);
  EXPECT_EQ(addresses[0].str(5), "Nowak Jan");
  std::vector<Record> offices = office.ReadNewRecords(kNew, "baza_us8.rek", 480);
  ASSERT_EQ(offices.size(), 1u);
  EXPECT_EQ(offices[0].u8(4), 1);

  EXPECT_EQ(New("baza_ff.txt"), office.ReadOld(kOld, "baza_ff.txt"));
  EXPECT_EQ(New("RUR_QZ.INI"), office.ReadOld(kOld, "RUR_QZ.INI"));
  EXPECT_EQ(New("KOLORY.QZ"), office.ReadOld(kOld, "KOLORY.QZ"));
  EXPECT_EQ(New("ZUS_PEL.INI"), office.ReadOld(kOld, "ZUS_PEL.INI"));
  EXPECT_EQ(New("UMOWY.INI"), office.ReadOld(kOld, "UMOWY.INI"));
  std::string op_file = New("OPERATOR.REK");
  Record op(std::vector<uint8_t>(op_file.begin(), op_file.end()));
  ScrambleOperatorRecord(op.bytes());
  EXPECT_EQ(op.u16(139), 0x0014);

  Record payroll = PatternRecord(2048, 5);
  ConvertPayrollSettings(env.ctx, payroll.bytes());
  EXPECT_EQ(New("2019_lp2.cc"), payroll.str_bytes());

  for (const char* absent : {"rur_2019.ini", "2019_BR.REK", "2018spd.ini"}) {
    EXPECT_FALSE(NewHas(absent)) << absent;
  }
}

TEST_F(GlobalDataTest, EveryItemTicked) {
  env.ctx.run.options.global_items = 0x07FF;
  Old("2019_lp.cc", PatternRecord(2048, 6).str_bytes());
  TransferGlobalData(env.ctx);
  EXPECT_EQ(New("rur_2019.ini"), office.ReadOld(kOld, "rur_2018.ini"));
  EXPECT_EQ(New("2018spd.ini"), office.ReadOld(kOld, "2018spd.ini"));
  std::vector<Record> br = office.ReadNewRecords(kNew, "2019_BR.REK", 384);
  ASSERT_EQ(br.size(), 1u);
  EXPECT_EQ(br[0].str(154), "/2019");
  // The old installation's own 2019 payroll settings win when they hold data.
  Record payroll = PatternRecord(2048, 6);
  ConvertPayrollSettings(env.ctx, payroll.bytes());
  EXPECT_EQ(New("2019_lp2.cc"), payroll.str_bytes());
  // The log below the header is emptied at the end of the stage.
  for (int row = 3; row <= 24; ++row) EXPECT_EQ(env.Row(row), std::string(80, ' ')) << row;
}

TEST_F(GlobalDataTest, OnlyColoursTouchesNothingElse) {
  env.ctx.run.options.global_items = 0x0080;
  env.ctx.run.options.pause_per_firm = true;
  EXPECT_THROW(TransferGlobalData(env.ctx), ScriptExhausted);
  EXPECT_EQ(LabelsShown(kLabels), (std::vector<std::string>{"Ustawienia kolorów",
                                                            "cdn - nacisnij dowolny klawisz."}));
  EXPECT_EQ(New("KOLORY.QZ"), office.ReadOld(kOld, "KOLORY.QZ"));
  for (const char* absent : {"baza_ad8.rek", "baza_us8.rek", "baza_ff.txt", "RUR_QZ.INI",
                             "2019_lp2.cc", "OPERATOR.REK", "ZUS_PEL.INI", "UMOWY.INI"}) {
    EXPECT_FALSE(NewHas(absent)) << absent;
  }
}

TEST_F(GlobalDataTest, EmptyNew2019PayrollFallsBackTo2018) {
  env.ctx.run.options.global_items = 0x0040;
  Old("2019_lp.cc", "");
  TransferGlobalData(env.ctx);
  Record payroll = PatternRecord(2048, 5);
  ConvertPayrollSettings(env.ctx, payroll.bytes());
  EXPECT_EQ(New("2019_lp2.cc"), payroll.str_bytes());
}

TEST_F(GlobalDataTest, MissingOldProgramDirectorySkipsTheStage) {
  env.ctx.run.paths.source_program_dir = "#BIN880";
  env.console.Type("Enter");  // closes the error box
  TransferGlobalData(env.ctx);
  EXPECT_FALSE(env.Exists("new/#BIN990"));
  std::string screen = fixture::ScreenText(env);
  EXPECT_NE(screen.find("Brak katalogu zródłowego " + Cp852ToUtf8(env.Path("old/#BIN880"))),
            std::string::npos)
      << screen;
  EXPECT_EQ(env.console.pending(), 0u);
}

TEST_F(GlobalDataTest, NewProgramDirectoryThatCannotBeMadeEndsWithCodeOne) {
  env.fs.FailNth(FsOp::kMakeDir, 1, dos::kAccessDenied);
  env.console.Type("Enter");
  try {
    TransferGlobalData(env.ctx);
    FAIL() << "the stage went on without its directory";
  } catch (const ExitRequest& e) {
    EXPECT_EQ(e.code, 1);
  }
  EXPECT_FALSE(env.Exists("new/#BIN990"));
}

TEST_F(GlobalDataTest, ExistingTargetIsAskedAbout) {
  env.ctx.run.options.global_items = 0x0080;
  office.WriteOld("../new/#BIN990", "KOLORY.QZ", "stare");
  env.console.Type("Z");
  TransferGlobalData(env.ctx);
  EXPECT_EQ(New("KOLORY.QZ"), "stare");
}

}  // namespace
}  // namespace qz
