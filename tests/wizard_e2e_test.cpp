// Whole runs of the program, in-process, on a small office: from the first
// wizard page to "Nacisnij Enter", with scripted keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/program.h"
#include "firms/firm_list.h"
#include "support/demo_office.h"
#include "wizard/wizard_test_world.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

using Snapshot = std::map<std::string, std::string>;

struct E2eRun {
  E2eRun() { demo::WriteSmallOffice(demo::OfficeWriter(w.dir.native())); }

  // Every file below `relative`, by path, with its bytes.
  Snapshot Files(const std::string& relative) {
    Snapshot s;
    for (const auto& e : fs::recursive_directory_iterator(w.Native(relative))) {
      std::string rel = fs::relative(e.path(), w.Native("")).string();
      s[rel] = e.is_regular_file() ? w.Read(rel) : "<dir>";
    }
    return s;
  }
  // The firms of the new firm list: "name/dir".
  std::vector<std::string> NewFirmList() {
    std::string bytes = w.Read("RUR_2019/SPISFIRM.DAT");
    std::vector<std::string> out;
    for (std::size_t off = 0; off + firm_list::kRecordSize <= bytes.size();
         off += firm_list::kRecordSize) {
      ConstBytes b(reinterpret_cast<const uint8_t*>(bytes.data() + off), firm_list::kRecordSize);
      out.push_back(Cp852ToUtf8(FirmName(b)) + "/" + Cp852ToUtf8(FirmDir(b)));
    }
    return out;
  }
  // Page 1 with the old installation typed in and "remember" ticked.
  std::string TypeSourceAndSave() {
    return "Ctrl+Y \"" + Cp852ToUtf8(w.Path("RUR_2018")) + "\" Tab Tab Space PgDn ";
  }
  int Run() { return RunProgram(w.ctx, DefaultStages()); }
  bool Shown(const std::string& text) { return w.FindFrame(text) >= 0; }

  WizardWorld w;
};

TEST(WizardE2eTest, FullRunWithDefaults) {
  E2eRun r;
  Snapshot old_before = r.Files("RUR_2018");
  // Pages 1 to 4; the detection's repair warning; the firm list; the end.
  r.w.console.Type(r.TypeSourceAndSave() + "PgDn PgDn F5 Enter F5 Enter");
  EXPECT_EQ(r.Run(), 0);
  EXPECT_EQ(r.w.console.pending(), 0u);

  EXPECT_TRUE(r.Shown("Brak katalogu zródłowego    OMEGA dla firmy Omega"));
  EXPECT_TRUE(r.Shown(" BAZA FIRM "));
  int end = static_cast<int>(r.w.console.frames.size()) - 1;
  std::string last = r.w.Screen(end);
  EXPECT_NE(last.find("Koniec pracy kopiera danych RUR_QZ na rok 2019"), std::string::npos) << last;
  EXPECT_NE(last.find("Nacisnij Enter"), std::string::npos);

  EXPECT_EQ(r.w.Read("BIN/qz18-19.PTH"), "[PATHS]\r\nRUR_2018=" + Cp852ToUtf8(r.w.Path("RUR_2018")) +
                                             "\r\nRUR_2019=" + Cp852ToUtf8(r.w.Path("RUR_2019")) +
                                             "\r\n");
  // Global data: the default items.
  for (const char* f : {"baza_ad8.rek", "baza_us8.rek", "baza_ff.txt", "RUR_QZ.INI", "2019_lp2.cc",
                        "KOLORY.QZ", "OPERATOR.REK", "ZUS_PEL.INI", "UMOWY.INI"}) {
    EXPECT_TRUE(r.w.Exists(std::string("RUR_2019/#BIN990/") + f)) << f;
  }
  for (const char* f : {"2019_BR.REK", "2018spd.ini", "rur_2019.ini"}) {
    EXPECT_FALSE(r.w.Exists(std::string("RUR_2019/#BIN990/") + f)) << f;
  }
  EXPECT_EQ(r.w.Read("RUR_2019/#BIN990/KOLORY.QZ"), r.w.Read("RUR_2018/#BIN980/KOLORY.QZ"));
  // Three firms, entered in key order; the one already there is left alone.
  EXPECT_EQ(r.NewFirmList(),
            (std::vector<std::string>{"Alfa s.c./ALFA", "Beta/BETA", "Gamma Sp. z o.o./GAMMA"}));
  for (const char* firm : {"ALFA", "BETA", "GAMMA"}) {
    for (const char* f : {"_qz_rur.rek", "2019_ROK.REK", "FIRMATXT.INI", "FIRMA_A8.REK"}) {
      EXPECT_TRUE(r.w.Exists(std::string("RUR_2019/") + firm + "/" + f)) << firm << "/" << f;
    }
  }
  EXPECT_TRUE(fs::is_empty(r.w.Native("RUR_2019/DELTA")));
  EXPECT_FALSE(r.w.Exists("RUR_2019/OMEGA"));
  EXPECT_EQ(r.Files("RUR_2018"), old_before);
}

TEST(WizardE2eTest, OverwriteQuestionAnsweredForAllOrNone) {
  for (const char* answer : {"A", "N"}) {
    SCOPED_TRACE(answer);
    E2eRun r;
    r.w.Write("BIN/qz18-19.PTH", "[PATHS]\r\nRUR_2018=" + r.w.dir.native() + "/RUR_2018\r\n");
    r.w.Write("RUR_2019/#BIN990/baza_ff.txt", "stare");
    r.w.Write("RUR_2019/#BIN990/KOLORY.QZ", "stare");
    // Global data only: the start page's firm item cleared.
    r.w.console.Type(std::string("PgDn PgDn PgDn Shift+Tab Shift+Tab Down Space F5 ") + answer +
                     " Enter");
    EXPECT_EQ(r.Run(), 0);
    EXPECT_EQ(r.w.console.pending(), 0u);
    bool replaced = answer[0] == 'A';
    for (const char* f : {"baza_ff.txt", "KOLORY.QZ"}) {
      std::string now = r.w.Read(std::string("RUR_2019/#BIN990/") + f);
      EXPECT_EQ(now == "stare", !replaced) << f;
      if (replaced) {
        EXPECT_EQ(now, r.w.Read(std::string("RUR_2018/#BIN980/") + f)) << f;
      }
    }
    EXPECT_TRUE(r.w.Exists("RUR_2019/#BIN990/OPERATOR.REK"));
    EXPECT_FALSE(r.w.Exists("RUR_2019/SPISFIRM.DAT"));
  }
}

TEST(WizardE2eTest, GiveUpFromPageThreeTouchesNothing) {
  E2eRun r;
  r.w.Write("BIN/qz18-19.PTH", "[PATHS]\r\nRUR_2018=" + r.w.dir.native() + "/RUR_2018\r\n");
  Snapshot before = r.Files("");
  r.w.console.Type("PgDn PgDn Esc T Enter");
  EXPECT_EQ(r.Run(), 0);
  EXPECT_EQ(r.w.console.pending(), 0u);
  EXPECT_EQ(r.Files(""), before);
  std::string last = r.w.Screen(static_cast<int>(r.w.console.frames.size()) - 1);
  EXPECT_NE(last.find("Nacisnij Enter"), std::string::npos) << last;
  EXPECT_EQ(last.find("Koniec pracy"), std::string::npos);
}

TEST(WizardE2eTest, WrongSourceIsRefusedThenCorrectedAndNothingStarted) {
  E2eRun r;
  // The proposed "/RUR_2018/" holds no firm list: refused, corrected; then
  // both start items cleared.
  r.w.console.Type("PgDn Enter " + r.TypeSourceAndSave() +
                   "PgDn PgDn Shift+Tab Shift+Tab Space Down Space F5 Enter");
  EXPECT_EQ(r.Run(), 0);
  EXPECT_EQ(r.w.console.pending(), 0u);
  int box = r.w.FindFrame("Brak pliku SPISFIRM.DAT");
  ASSERT_EQ(box, 1);
  EXPECT_NE(r.w.Screen(box).find("Musisz wskazać katalog"), std::string::npos);
  EXPECT_NE(r.w.Screen(box).find("głównym programu RUR_QZ"), std::string::npos);
  EXPECT_EQ(r.w.ctx.run.paths.source_root, r.w.Path("RUR_2018/"));
  EXPECT_EQ(r.w.ctx.run.options.start_items, 0xFFFC);
  EXPECT_TRUE(r.w.Exists("BIN/qz18-19.PTH"));
  // No transfer ran, but the run still closes with its lines.
  EXPECT_EQ(r.Files("RUR_2019"), (Snapshot{{"RUR_2019/DELTA", "<dir>"}}));
  std::string last = r.w.Screen(static_cast<int>(r.w.console.frames.size()) - 1);
  EXPECT_NE(last.find("Koniec pracy kopiera danych RUR_QZ na rok 2019"), std::string::npos);
}

TEST(WizardE2eTest, MissingOldProgramDirectorySkipsOnlyTheGlobalData) {
  E2eRun r;
  r.w.Write("BIN/qz18-19.PTH", "[PATHS]\r\nRUR_2018=" + r.w.dir.native() + "/RUR_2018\r\n");
  // Page 4: the old program directory changed to one that does not exist.
  r.w.console.Type("PgDn PgDn PgDn Shift+Tab Ctrl+Y \"#BIN880\" F5 Enter Enter F5 Enter");
  EXPECT_EQ(r.Run(), 0);
  EXPECT_EQ(r.w.console.pending(), 0u);
  int box = r.w.FindFrame("Brak katalogu zródłowego");
  ASSERT_GE(box, 0);
  EXPECT_NE(r.w.Screen(box).find(Cp852ToUtf8(r.w.Path("RUR_2018/#BIN880"))), std::string::npos);
  EXPECT_FALSE(r.w.Exists("RUR_2019/#BIN990"));
  EXPECT_EQ(r.NewFirmList(),
            (std::vector<std::string>{"Alfa s.c./ALFA", "Beta/BETA", "Gamma Sp. z o.o./GAMMA"}));
}

TEST(WizardE2eTest, FamiliesAreNotCarriedWithoutStaff) {
  E2eRun r;
  r.w.Write("BIN/qz18-19.PTH", "[PATHS]\r\nRUR_2018=" + r.w.dir.native() + "/RUR_2018\r\n");
  fixture::Record staff(2048), family(352);
  staff.I32(0, 7).Str(40, 31, "Nowak");
  family.I32(0, 7).Str(56, 31, "Nowak");
  r.w.Write("RUR_2018/ALFA/DANE_PR8.REK", staff.str_bytes());
  r.w.Write("RUR_2018/ALFA/DANE_PF8.REK", family.str_bytes());
  // Page 3: staff unticked (families follow); page 4: global data cleared.
  r.w.console.Type(
      "PgDn PgDn Down Space Tab PgDn Shift+Tab Shift+Tab Space F5 Enter F5 Enter");
  EXPECT_EQ(r.Run(), 0);
  EXPECT_EQ(r.w.console.pending(), 0u);
  EXPECT_EQ(r.w.ctx.run.options.firm_items, 0xFFF9);
  EXPECT_TRUE(r.w.Exists("RUR_2019/ALFA/_qz_rur.rek"));
  EXPECT_FALSE(r.w.Exists("RUR_2019/ALFA/DANE_PR8.REK"));
  EXPECT_FALSE(r.w.Exists("RUR_2019/ALFA/DANE_PF8.REK"));
  EXPECT_FALSE(r.w.Exists("RUR_2019/#BIN990"));
}

}  // namespace
}  // namespace qz
