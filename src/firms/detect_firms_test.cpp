#include "firms/detect_firms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context.h"
#include "app/exit.h"
#include "firms/firm_list.h"
#include "support/child_process.h"
#include "support/test_env.h"
#include "text/cp852.h"
#include "text/polish.h"

namespace qz {
namespace {

std::string FirmRec(const Text& name, const Text& dir, const Text& info = "") {
  std::string r(firm_list::kRecordSize, '\x55');
  Bytes b(reinterpret_cast<uint8_t*>(r.data()), r.size());
  PutText(b, firm_list::kNameOff, firm_list::kNameMax, name);
  PutText(b, firm_list::kDirOff, firm_list::kDirMax, dir);
  PutText(b, firm_list::kInfoOff, firm_list::kInfoMax, info);
  return r;
}

/// An office with the old installation in "2018/" and the new in "2019/".
struct Office : TestEnv {
  Context& run = ctx;

  Office() {
    run.run.paths.source_root = Path("2018/");
    run.run.paths.target_root = Path("2019/");
    WriteFile("2019/.keep", "");
  }
  void List(const std::vector<std::string>& recs, const std::string& name = "SPISFIRM.DAT") {
    std::string bytes;
    for (const std::string& r : recs) bytes += r;
    WriteFile("2018/" + name, bytes);
  }
  void Dir(const std::string& path) { WriteFile(path + "/.keep", ""); }
  /// The log lines from the top of the log area, trailing blanks cut.
  std::vector<Text> LogLines() {
    std::vector<Text> out;
    for (int row = 3; row < run.log.row(); ++row) {
      Text line = run.log.ShadowRow(row);
      line.erase(line.find_last_not_of(' ') + 1);
      out.push_back(line);
    }
    return out;
  }
  std::vector<Text> Names(FirmTable& table) {
    std::vector<Text> out;
    for (int32_t i = 1; i <= table.count(); ++i) {
      FirmEntry* e = FirmAt(table, i);
      EXPECT_TRUE(e->selected);
      out.push_back(FirmName(e->record));
    }
    return out;
  }
};

int ExitCodeOf(Office& office, FirmTable& table) {
  try {
    DetectFirms(office.run, table);
  } catch (const ExitRequest& e) {
    return e.code;
  }
  return -1;
}

TEST(DetectFirms, ExplainsEveryFirmLeftOut) {
  Office o;
  o.List({FirmRec("Alfa", "FA"), FirmRec("Beta", "FB"), FirmRec("Gamma", "FC"),
          FirmRec("Delta", "FD"), FirmRec("Epsilon", "FE")});
  for (const char* d : {"2018/FA", "2018/fb", "2019/FB", "2018/FD", "2018/FE"}) o.Dir(d);
  o.console.Type("Enter");
  FirmTable table;
  DetectFirms(o.run, table);
  EXPECT_EQ(o.Names(table), (std::vector<Text>{"Alfa", "Delta", "Epsilon"}));
  EXPECT_EQ(o.LogLines(), (std::vector<Text>{
                              "ROZPOZNANIE ŚRODOWISKA PRACY RUR 2018"_cp,
                              "",
                              "Odnaleziono katalog docelowy FB dla firmy Beta",
                              "Brak katalogu zródłowego    FC dla firmy Gamma"_cp,
                              "Napraw plik SPISFIRM.DAT !",
                          }));
  EXPECT_EQ(o.console.pending(), 0u);
}

TEST(DetectFirms, DirectoryNamesThatLeaveTheDataRootAreRefused) {
  Office o;
  o.Dir("2018/OK");
  o.Dir("2018/a/b");
  o.List({FirmRec("Pusta", ""), FirmRec("Kropka", "."), FirmRec("Wyzej", ".."),
          FirmRec("Ukosnik", "a/b"), FirmRec("Odwrotny", "a\\b"), FirmRec("Dysk", "C:"),
          FirmRec("Dobra", "OK")});
  o.console.Type("Enter");
  FirmTable table;
  DetectFirms(o.run, table);
  EXPECT_EQ(o.Names(table), std::vector<Text>{"Dobra"});
  EXPECT_EQ(o.LogLines(), (std::vector<Text>{
                              "ROZPOZNANIE ŚRODOWISKA PRACY RUR 2018"_cp,
                              "",
                              "Niepoprawny katalog  dla firmy Pusta",
                              "Niepoprawny katalog . dla firmy Kropka",
                              "Niepoprawny katalog .. dla firmy Wyzej",
                              "Niepoprawny katalog a/b dla firmy Ukosnik",
                              "Niepoprawny katalog a\\b dla firmy Odwrotny",
                              "Niepoprawny katalog C: dla firmy Dysk",
                              "Napraw plik SPISFIRM.DAT !",
                          }));
}

TEST(DetectFirms, ShortTailIgnoredAndUnreadableRecordReported) {
  Office o;
  o.Dir("2018/F1");
  o.Dir("2018/F2");
  o.Dir("2018/F3");
  o.List({FirmRec("Jeden", "F1"), FirmRec("Dwa", "F2"), FirmRec("Trzy", "F3")});
  o.WriteFile("2018/SPISFIRM.DAT", o.ReadFile("2018/SPISFIRM.DAT").substr(0, 250));
  FirmTable table;
  DetectFirms(o.run, table);  // 250 bytes: two records, the last 44 bytes ignored
  EXPECT_EQ(o.Names(table), (std::vector<Text>{"Jeden", "Dwa"}));

  Office p;
  p.Dir("2018/F1");
  p.Dir("2018/F3");
  p.List({FirmRec("Jeden", "F1"), FirmRec("Dwa", "F2"), FirmRec("Trzy", "F3")});
  p.fs.FailNth(FsOp::kRead, 2, dos::kReadFault);
  FirmTable t2;
  DetectFirms(p.run, t2);
  EXPECT_EQ(p.Names(t2), (std::vector<Text>{"Jeden", "Trzy"}));
  EXPECT_EQ(p.LogLines().back(), "Błąd odczytu rekordu 2"_cp);
}

TEST(DetectFirms, UnusableListEndsTheRunWithCodeOne) {
  {
    Office o;  // empty: the reason, a key press, the end
    o.List({});
    o.console.Type("Enter");
    FirmTable table;
    EXPECT_EQ(ExitCodeOf(o, table), 1);
    EXPECT_EQ(o.LogLines().back(), "Zerowa długość pliku SPISFIRM.DAT"_cp);
    EXPECT_EQ(o.console.pending(), 0u);
  }
  {
    Office o;  // missing: the reason and an error box
    o.console.Type("Enter");
    FirmTable table;
    EXPECT_EQ(ExitCodeOf(o, table), 1);
    EXPECT_EQ(o.LogLines().back(), "Błąd otwarcia/dostępu do pliku "_cp + o.Path("2018/SPISFIRM.DAT"));
    EXPECT_EQ(o.console.pending(), 0u);
  }
  {
    Office o;  // size unreadable
    o.List({FirmRec("Jeden", "F1")});
    o.fs.FailNth(FsOp::kSize, 1, dos::kReadFault);
    o.console.Type("Enter");
    FirmTable table;
    EXPECT_EQ(ExitCodeOf(o, table), 1);
    EXPECT_EQ(o.LogLines().back(), "Błąd okreslenia długości pliku SPISFIRM.DAT"_cp);
  }
  {
    Office o;  // held open by another instance: the exclusive open fails
    o.List({FirmRec("Jeden", "F1")});
    const Text path = o.Path("2018/SPISFIRM.DAT");
    ChildProcess other([&] {
      std::unique_ptr<File> f;
      if (o.real_fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &f) != 0) return 1;
      f.release();
      return 0;
    });
    ASSERT_EQ(other.Result(), 0);
    o.console.Type("Enter");
    FirmTable table;
    EXPECT_EQ(ExitCodeOf(o, table), 1);
  }
}

TEST(DetectFirms, NoQualifyingFirmLeavesAnEmptyTable) {
  Office o;
  o.List({FirmRec("Jeden", "F1")});
  o.console.Type("Enter Enter");
  FirmTable table;
  DetectFirms(o.run, table);
  EXPECT_EQ(table.count(), 0);
  std::vector<Text> lines = o.LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Zerowa ilość odczytanych firm"_cp);
  EXPECT_EQ(lines.back(), "Napraw plik SPISFIRM.DAT !");
}

TEST(DetectFirms, AtMost2048Firms) {
  Office o;
  o.Dir("2018/F");
  std::vector<std::string> recs;
  for (int i = 0; i < 3000; ++i) recs.push_back(FirmRec("Firma " + std::to_string(i), "F"));
  o.List(recs);
  FirmTable table;
  DetectFirms(o.run, table);
  EXPECT_EQ(table.count(), 2048);
  EXPECT_EQ(FirmName(FirmAt(table, 2048)->record), "Firma 2047");
  EXPECT_EQ(FirmAt(table, 2049), nullptr);
  EXPECT_EQ(o.LogLines().back(), "Przekroczona maksymalna ilość firm 2048"_cp);
}

TEST(FirmListName, SwitchThenEnvironmentThenDefault) {
  struct Case {
    std::vector<Text> args;
    Text env;
    Text expected;
  };
  const std::vector<Case> cases = {
      {{"qz", "/data/2019/"}, "", "SPISFIRM.DAT"},
      {{"qz", "/data/2019/", "/kprspis:FIRMY.DAT"}, "ENV.DAT", "FIRMY.DAT"},
      {{"qz", "-KprSpis:Inne.dat"}, "", "Inne.dat"},
      {{"qz", "/kprspis:"}, "ENV.DAT", "ENV.DAT"},
      {{"qz"}, "ENV.DAT", "ENV.DAT"},
      {{"qz", "/kprspis:BARDZODLUGANAZWA.DAT", "/kprspis:DRUGI.DAT"}, "", "BARDZODLUGAN"},
  };
  for (const Case& c : cases) {
    Office o;
    o.process.args = c.args;
    if (!c.env.empty()) o.process.env["KPRSPIS"] = c.env;
    SetFirmListName(o.run);
    EXPECT_EQ(o.run.firms.list_name, c.expected);
  }

  Office o;  // the name found is the one every message uses
  o.process.args = {"qz", "/kprspis:FIRMY.DAT"};
  SetFirmListName(o.run);
  o.List({FirmRec("Jeden", "F1")}, "FIRMY.DAT");
  o.console.Type("Enter Enter");
  FirmTable table;
  DetectFirms(o.run, table);
  EXPECT_EQ(o.LogLines().back(), "Napraw plik FIRMY.DAT !");
}

TEST(FirmListKey, NameDirAndInfoPadded) {
  std::string r = FirmRec("Łódź"_cp, "LODZ", "info");
  ConstBytes rec(reinterpret_cast<const uint8_t*>(r.data()), r.size());
  Text key = FirmListKey(rec);
  EXPECT_EQ(key.size(), 66u);
  EXPECT_EQ(key, "Łódź"_cp + Text(27, ' ') + " LODZ     info" + Text(21, ' '));
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

TEST(FirmListFile, CompareInPlaceMatchesTheKeyOrder) {
  TestEnv env;
  FirmListFile list(env.ctx, env.Path("SPISFIRM.DAT"));
  const std::vector<std::string> recs = {
      FirmRec("Łódź"_cp, "A", ""),  FirmRec("Lódź"_cp, "A", ""), FirmRec("lódź"_cp, "A", ""),
      FirmRec("LÓDŹ"_cp, "A", "x"), FirmRec("Lodz", "B", ""),      FirmRec("Lodz ", "B", ""),
      FirmRec("Żuk"_cp, "", ""),     FirmRec("Źle"_cp, "", ""),     FirmRec("a_b", "", ""),
      FirmRec("a b", "", ""),        FirmRec("", "", ""),           FirmRec("Zz", "Q", "ą"_cp),
      FirmRec("Zz", "Q", "Ą"_cp)};
  for (const std::string& a : recs) {
    for (const std::string& b : recs) {
      ConstBytes ra(reinterpret_cast<const uint8_t*>(a.data()), a.size());
      ConstBytes rb(reinterpret_cast<const uint8_t*>(b.data()), b.size());
      EXPECT_EQ(list.Compare(ra, rb),
                ComparePL(UpperPL(FirmListKey(ra)), UpperPL(FirmListKey(rb))))
          << FirmListKey(ra) << " / " << FirmListKey(rb);
    }
  }
}

}  // namespace
}  // namespace qz
