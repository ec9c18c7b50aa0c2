#include "firmdesc/firm_description.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context.h"
#include "app/exit.h"
#include "firmdesc/ini_file.h"
#include "support/child_process.h"
#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {
namespace {

/// Two firm directories, "old/F1" and "new/F1", and the carry between them.
struct Carry : TestEnv {
  Carry() {
    WriteFile("new/F1/.keep", "");
    ctx.firm.firm_source_path = Path("old/F1");
  }
  void Old(const std::string& text) { WriteFile("old/F1/FIRMATXT.INI", text); }
  void New(const std::string& text) { WriteFile("new/F1/FIRMATXT.INI", text); }
  void Run() {
    CarryFirmDescription(ctx, Path("old/F1/FIRMATXT.INI"), Path("new/F1/FIRMATXT.INI"));
  }
  std::string Result() const { return ReadFile("new/F1/FIRMATXT.INI"); }
  /// The lines of the written file from "[name]" to the blank line after it.
  std::vector<std::string> Section(const std::string& name) const {
    std::string all = Result();
    std::size_t at = all.find("[" + name + "]\r\n");
    if (at == std::string::npos) return {};
    std::vector<std::string> lines;
    std::size_t pos = all.find("\r\n", at) + 2;
    for (;;) {
      std::size_t end = all.find("\r\n", pos);
      if (end == std::string::npos || end == pos) break;
      lines.push_back(all.substr(pos, end - pos));
      pos = end + 2;
    }
    return lines;
  }
  std::string Value(const std::string& section, const std::string& key) const {
    for (const std::string& l : Section(section)) {
      if (l.rfind(key + "=", 0) == 0) return l.substr(key.size() + 1);
    }
    return "<missing>";
  }
};

TEST(CarryFirmDescription, NewFileGetsEverySectionAndKeyInOrder) {
  Carry c;
  c.Run();  // no old file either: every key with its default
  std::vector<std::string> sections;
  std::string all = c.Result();
  for (std::size_t at = all.find('['); at != std::string::npos; at = all.find("\r\n[", at)) {
    if (all[at] != '[') at += 2;
    sections.push_back(all.substr(at + 1, all.find(']', at) - at - 1));
    ++at;
  }
  EXPECT_EQ(sections, (std::vector<std::string>{
                          "RUR", "URZEDY_SKARBOWE", "URZEDY_SKARBOWE_EKOD", "FIRMA", "BANKI",
                          "OSOBA_FIZYCZNA", "OSOBA_PRAWNA", "ORGAN_REJESTROWY", "ADRES_SIEDZIBY",
                          "ADRES_KOREPONDENCJA", "ADRES_ZAMIESZKANIA", "ADRES_DOKUMENTACJI",
                          "DZIALALNOSC", "UPOWAZNIONY", "RODO", "BR", "ZUS_ZxA", "ZIPA"}));
  EXPECT_EQ(c.Section("RUR"),
            (std::vector<std::string>{"NAZWA_ZUS=", "INFO1=", "INFO2=", "INFO3=", "INFO4=",
                                      "INFO5=", "PATHXML=", "PRZEXML=", "PATH2018=" + c.Path("old/F1"),
                                      "PATH2017=", "PATH2016=", "PATH2015=", "FAS=NIE"}));
  EXPECT_EQ(c.Section("URZEDY_SKARBOWE_EKOD"),
            (std::vector<std::string>{"VAT-7=", "PIT-4R=", "PIT-8AR=", "PIT-XX="}));
  EXPECT_EQ(c.Value("BANKI", "DEF_ZUS"), "0");
  EXPECT_EQ(c.Value("BANKI", "DATA_ZBA"), "-");
  EXPECT_EQ(c.Value("OSOBA_FIZYCZNA", "INNY_RODZAJ"), " ");
  EXPECT_EQ(c.Value("ZUS_ZxA", "RENT2019"), "0");
  EXPECT_EQ(c.Value("ZUS_ZxA", "DRAIX02_2019"), [] {
    std::string s;
    for (int i = 0; i < 12; ++i) s += "$0000";
    return s;
  }());
  EXPECT_EQ(c.Section("ADRES_DOKUMENTACJI").size(), 13u);
  EXPECT_EQ(all.substr(all.size() - 4), "\r\n\r\n");
}

TEST(CarryFirmDescription, ValueForms) {
  Carry c;
  c.Old(
      "[firma]\r\n"
      "nip=123\r\n"
      "REGON=12345678901234567890\r\n"
      "[BANKI]\r\n"
      "DEF=2\r\n"
      "DATA_ZBA=5.1.2018\r\n"
      "[ADRES_SIEDZIBY]\r\n"
      "IAP=tak\r\n"
      "[ADRES_KOREPONDENCJA]\r\n"
      "KOD = 00-950\r\n"
      "[OSOBA_FIZYCZNA]\r\n"
      "DATA_URODZENIA=07.11.1967\r\n"
      "INNY_RODZAJ=Xyz\r\n"
      "[ZUS_ZxA]\r\n"
      "ZPWA_KOR=1\r\n"
      "RENT2018=70000\r\n"
      "RxA=17\r\n"
      "zwFGSP=!\r\n"
      "DRAIX02_2019=$0001$00FF$000A12345xxxxx\r\n"
      "[RUR]\r\n"
      "PATH2018=C:\\STARE\r\n"
      "  FAS=TAK   \r\n");
  c.Run();
  EXPECT_EQ(c.Value("FIRMA", "NIP"), "123");             // names match in any case
  EXPECT_EQ(c.Value("FIRMA", "REGON"), "12345678901234");  // cut to 14
  EXPECT_EQ(c.Value("BANKI", "DEF_ZUS"), "2");            // missing: the default bank
  EXPECT_EQ(c.Value("BANKI", "DATA_ZBA"), "-");           // not 10 characters
  EXPECT_EQ(c.Value("ADRES_SIEDZIBY", "IAP"), "TAK");
  EXPECT_EQ(c.Value("ADRES_KOREPONDENCJA", "KOD"), "");   // "KOD " is another key
  EXPECT_EQ(c.Value("OSOBA_FIZYCZNA", "DATA_URODZENIA"), "07-11-1967");
  EXPECT_EQ(c.Value("OSOBA_FIZYCZNA", "INNY_RODZAJ"), "X");
  EXPECT_EQ(c.Value("ZUS_ZxA", "ZPWA_KOR"), "NIE");
  EXPECT_EQ(c.Value("ZUS_ZxA", "RENT2018"), "0");  // above 65535
  EXPECT_EQ(c.Value("ZUS_ZxA", "RxA"), "17");
  EXPECT_EQ(c.Value("ZUS_ZxA", "zwFGSP"), "0");
  EXPECT_EQ(c.Value("ZUS_ZxA", "DRAIX02_2019").substr(0, 25), "$0001$00FF$000A$3039$0000");
  EXPECT_EQ(c.Value("RUR", "PATH2018"), c.Path("old/F1"));
  EXPECT_EQ(c.Value("RUR", "FAS"), "TAK");

  Carry d;  // DEF_ZUS=31 also means "the default bank"; another value stays
  d.Old("[BANKI]\r\nDEF=4\r\nDEF_ZUS=31\r\n");
  d.Run();
  EXPECT_EQ(d.Value("BANKI", "DEF_ZUS"), "4");
  Carry e;
  e.Old("[BANKI]\r\nDEF=4\r\nDEF_ZUS=3\r\n");
  e.Run();
  EXPECT_EQ(e.Value("BANKI", "DEF_ZUS"), "3");
}

TEST(CarryFirmDescription, ExistingTargetKeepsItsOwnLines) {
  Carry c;
  c.Old("[FIRMA]\r\nNIP=555\r\nNIEZNANY=nie przechodzi\r\n");
  c.New("; naglowek\r\n\r\n[Firma]\r\n\r\n  NIP=1\r\nX=Y\r\n; uwaga\r\n\r\n[WLASNA]\r\nA=B\r\n");
  c.Run();
  std::string all = c.Result();
  EXPECT_EQ(all.rfind("; naglowek\r\n\r\n[Firma]\r\nNIP=555\r\nX=Y\r\n; uwaga\r\nTYP=0\r\nREGON=\r\n\r\n"
                      "[WLASNA]\r\nA=B\r\n\r\n[RUR]\r\n",
                      0),
            0u)
      << all;
  EXPECT_EQ(all.find("NIEZNANY"), std::string::npos);
}

TEST(CarryFirmDescription, EqualTargetIsNotRewritten) {
  Carry c;
  // A blank character value is written as "KEY= ", which reads back as
  // empty, so the character keys hold letters here.
  c.Old("[FIRMA]\r\nNIP=555\r\n[OSOBA_FIZYCZNA]\r\nINNY_RODZAJ=P\r\n[ZUS_ZxA]\r\nDRAI01=1\r\n"
        "[ZIPA]\r\n04=N\r\n");
  c.Run();
  std::string first = c.Result();
  int writes = c.fs.calls(FsOp::kWrite);
  c.Run();
  EXPECT_EQ(c.fs.calls(FsOp::kWrite), writes);
  EXPECT_EQ(c.Result(), first);
}

TEST(CarryFirmDescription, FailedRewriteIsReportedAndTheRunGoesOn) {
  Carry c;
  c.fs.FailNth(FsOp::kWrite, 1, dos::kDiskFull);
  c.Run();
  Text line = c.ctx.log.ShadowRow(c.ctx.log.row() - 1);
  EXPECT_EQ(line.substr(0, line.find_last_not_of(' ') + 1),
            "Błąd zapisu pliku "_cp + c.Path("new/F1/FIRMATXT.INI"));
}

TEST(CarryFirmDescription, TargetLockedElsewhereEndsTheRun) {
  Carry c;
  c.New("[FIRMA]\r\nNIP=1\r\n");
  const Text path = c.Path("new/F1/FIRMATXT.INI");
  ChildProcess other([&] {
    std::unique_ptr<File> f;
    if (c.real_fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &f) != 0) return 1;
    if (f->Lock(0, 1) != 0) return 2;
    f.release();
    return 0;
  });
  ASSERT_EQ(other.Result(), 0);
  c.console.Type("Enter");
  try {
    c.Run();
    ADD_FAILURE() << "the run should end";
  } catch (const ExitRequest& e) {
    EXPECT_EQ(e.code, 1);
  }
  EXPECT_EQ(c.console.pending(), 0u);
  other.Finish();
  EXPECT_EQ(c.Result(), "[FIRMA]\r\nNIP=1\r\n");
}

TEST(IniFile, HeadSectionAndWriteStringRules) {
  TestEnv env;
  env.WriteFile("a.ini", "\x01 top=1 \r\n[S]\n K=v\rK=w\r\n[]\r\nx\r\n");
  auto ini = IniFile::Open(env.fs, env.Path("a.ini"), true);
  ASSERT_NE(ini, nullptr);
  EXPECT_EQ(ini->ReadString("S", "k", "d"), "v");  // the first of two
  EXPECT_EQ(ini->ReadString("", "top", "d"), "d");  // the head section has no name
  ini->WriteString("s", "K", "v");
  EXPECT_FALSE(ini->modified());
  ini->WriteString("s", "k", "V");  // case-sensitive value comparison
  EXPECT_TRUE(ini->modified());
  ini->WriteString("Nowa", "Q", "1");
  EXPECT_EQ(ini->Render(), "top=1\r\n\r\n[S]\r\nk=V\r\nK=w\r\n\r\n[]\r\nx\r\n\r\n[Nowa]\r\nQ=1\r\n\r\n");
  EXPECT_EQ(ini->Close(), 0);
  EXPECT_EQ(env.ReadFile("a.ini"), "top=1\r\n\r\n[S]\r\nk=V\r\nK=w\r\n\r\n[]\r\nx\r\n\r\n[Nowa]\r\nQ=1\r\n\r\n");
}

}  // namespace
}  // namespace qz
