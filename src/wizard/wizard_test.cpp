#include "wizard/wizard.h"

#include <gtest/gtest.h>

#include "wizard/data_pages.h"
#include "wizard/locations_page.h"
#include "wizard/wizard_test_world.h"

namespace qz {
namespace {

// The cells of page position (x, y) on the screen of `frame`, as many as
// `expected` has characters (the page frame starts at column 3, row 3).
std::string Cells(WizardWorld& w, int frame, int x, int y, const std::string& expected) {
  std::size_t n = Utf8ToCp852(expected).size();
  return Cp852GlyphsToUtf8(w.console.frames.at(static_cast<std::size_t>(frame))
                               .RowText(3 + y)
                               .substr(static_cast<std::size_t>(3 + x - 1), n));
}

#define EXPECT_CELLS(frame, x, y, expected) EXPECT_EQ(Cells(w, frame, x, y, expected), expected)

TEST(RunWizardTest, DefaultsThroughAllFourPagesToTheStart) {
  WizardWorld w;
  w.console.Type("PgDn PgDn PgDn F5");
  EXPECT_TRUE(RunWizard(w.ctx));
  ASSERT_EQ(w.console.frames.size(), 4u);

  EXPECT_NE(w.FrameRow(0, 3).find("─ Lokalizacja ─"), std::string::npos);
  EXPECT_CELLS(0, 3, 3, "katalogu źrodłowy: tam gdzie jest plik SPISFIRM.DAT");
  EXPECT_CELLS(0, 4, 4, Cp852ToUtf8(w.Path("RUR_2018/")).substr(0, 20));
  EXPECT_CELLS(0, 3, 6, "lokalizacja docelowa:");
  EXPECT_CELLS(0, 4, 9, "[ ] zapisz ustawienie lokalizacji (w pliku qz18-19.PTH)");
  EXPECT_CELLS(0, 4, 12, "Standard polskich znaków :");
  EXPECT_CELLS(0, 4, 13, "(■) Zach");
  EXPECT_CELLS(0, 5, 15, "[■] informuj");
  EXPECT_CELLS(0, 5, 16, "[ ] pokazuj ");
  EXPECT_CELLS(0, 5, 17, "[ ] Zasłoń");
  EXPECT_EQ(w.FrameRow(0, 25).substr(0, 14), " PgDn-Dalej│");

  EXPECT_NE(w.FrameRow(1, 3).find(" Dane globalne, konfiguracyjne "), std::string::npos);
  EXPECT_CELLS(1, 3, 3, "Zaznaczam do kopiowania :");
  EXPECT_CELLS(1, 4, 4, "[■] Globalnę bazę adresów");
  EXPECT_CELLS(1, 4, 7, "[ ] Dane B");
  EXPECT_CELLS(1, 4, 14, "[■] Plik \"ZUS_PEL.INI\",\"UM");
  EXPECT_EQ(w.FrameRow(1, 25).substr(0, 28), " PgUp-Wstecz│PgDn-Dalej│");

  EXPECT_NE(w.FrameRow(2, 3).find(" Dane firmowe  "), std::string::npos);
  EXPECT_CELLS(2, 2, 18, "[■] listę pojazdów na cele VAT");
  EXPECT_CELLS(2, 41, 1, "*) Dane - przenieś :");
  EXPECT_CELLS(2, 42, 6, "(■) wszystkich ");
  EXPECT_CELLS(2, 42, 16, "[ ] KM 140 \"Trion\"");

  EXPECT_NE(w.FrameRow(3, 3).find(" START KOPIOWANIA "), std::string::npos);
  EXPECT_CELLS(3, 4, 4, "[■] Dane Globalne z #BIN980 (tylko z 880 .. 980) do #BIN990");
  EXPECT_CELLS(3, 4, 8, "[ ] Zatrzymywac akcje co firme");
  EXPECT_EQ(w.FrameRow(3, 25).substr(0, 28), " PgUp-Wstecz│F5-ZACZNIJ│");

  const RunOptions defaults;
  const RunOptions& o = w.ctx.run.options;
  EXPECT_EQ(o.global_items, defaults.global_items);
  EXPECT_EQ(o.firm_items, defaults.firm_items);
  EXPECT_EQ(o.module_items, defaults.module_items);
  EXPECT_EQ(o.start_items, defaults.start_items);
  EXPECT_FALSE(w.Exists("BIN/qz18-19.PTH"));
}

TEST(RunWizardTest, GiveUpIsConfirmedOrDeclined) {
  WizardWorld w;
  // Esc on page 3, "no": back on page 3; Esc again, "yes": given up.
  w.console.Type("PgDn PgDn Esc N Esc T");
  EXPECT_FALSE(RunWizard(w.ctx));
  ASSERT_EQ(w.console.frames.size(), 6u);
  EXPECT_NE(w.Screen(3).find("Rezygnujesz z konwersji danych na nowy rok ?"), std::string::npos);
  EXPECT_NE(w.Screen(4).find(" Dane firmowe  "), std::string::npos);
  // The box offers "no" first: Enter alone keeps the wizard going.
  WizardWorld e;
  e.console.Type("Esc Enter PgDn PgDn PgDn F5");
  EXPECT_TRUE(RunWizard(e.ctx));
}

TEST(RunWizardTest, BackAndUnknownCommandsKeepThePageAndTheChoices) {
  WizardWorld w;
  // Page 2: untick the address base; page 3; back twice to page 1; a press
  // of both mouse buttons (OK, no wizard command) rebuilds page 1.
  w.console.Type("PgDn Space PgDn PgUp PgUp bclick(40,12) PgDn PgDn PgDn F5");
  EXPECT_TRUE(RunWizard(w.ctx));
  EXPECT_EQ(w.ctx.run.options.global_items, 0x06D6);
  EXPECT_NE(w.Screen(5).find("─ Lokalizacja ─"), std::string::npos);
  EXPECT_NE(w.Screen(6).find("─ Lokalizacja ─"), std::string::npos);
  EXPECT_CELLS(7, 4, 4, "[ ] Globalnę bazę adresów");
}

TEST(RunWizardTest, FamiliesFollowStaffOnPageThree) {
  WizardWorld w;
  // Untick staff, move on (the page's next event), try to tick families.
  w.console.Type("PgDn PgDn Down Space Tab Shift+Tab Down Space Tab PgDn F5");
  EXPECT_TRUE(RunWizard(w.ctx));
  EXPECT_EQ(w.ctx.run.options.firm_items, 0xFFF9);
  uint16_t items = 0x0004;
  EXPECT_TRUE(DropFamiliesWithoutStaff(&items));
  EXPECT_EQ(items, 0);
  items = 0x0006;
  EXPECT_FALSE(DropFamiliesWithoutStaff(&items));
}

TEST(RunWizardTest, StartPageFocusAndOldProgramDirectory) {
  WizardWorld w;
  // The focus starts on the pause box; the directory field takes 7 characters.
  w.console.Type("PgDn PgDn PgDn Space Shift+Tab Ctrl+Y \"#BIN97012\" Tab Tab Enter");
  EXPECT_TRUE(RunWizard(w.ctx));
  EXPECT_TRUE(w.ctx.run.options.pause_per_firm);
  EXPECT_EQ(w.ctx.run.paths.source_program_dir, "#BIN970");
}

TEST(RunWizardTest, HotLettersPressTheButtons) {
  WizardWorld w;
  // Page 1 from its save box: "d" is checked like "Dalej >>" and refused
  // (no firm list); corrected, "d" again; page 2 "d"; page 3 "<" back;
  // page 2 "d", page 3 "d", page 4 "z" starts.
  w.ctx.run.paths.source_root = w.Path("BIN/");
  w.console.Type("Tab Tab d Enter Ctrl+Y \"" +
                 Cp852ToUtf8(w.Path("RUR_2018/")) + "\" Tab Tab d d < d d z");
  EXPECT_TRUE(RunWizard(w.ctx));
  EXPECT_EQ(w.console.pending(), 0u);
  EXPECT_NE(w.Screen(3).find("Brak pliku SPISFIRM.DAT"), std::string::npos);
  EXPECT_NE(w.Screen(static_cast<int>(w.console.frames.size()) - 1).find(" START KOPIOWANIA "),
            std::string::npos);
}

// `CheckLocations` on page 1, answering its box with Enter.
struct CheckCase {
  const char* name;
  std::string source, target;  // relative to the world, "" = as built
  bool empty_list;
  bool passes;
  const char* box_line;  // a line of the error box, "" when none
  int focus_after;       // focus before is 5
};

TEST(CheckLocationsTest, RefusesInOrderWithOneBoxAndMovesTheFocus) {
  const CheckCase cases[] = {
      {"ok, separators added", "RUR_2018", "RUR_2019", false, true, "", 5},
      {"no firm list", "RUR_2019/", "RUR_2018/", false, false, "Brak pliku SPISFIRM.DAT", 1},
      {"empty firm list", "", "", true, false, "Musisz wskazać katalog", 1},
      {"missing target", "", "RUR_2020/", false, false, "Brak katalogu", 5},
      {"identical but for case", "", "rur_2018", false, false,
       "Katalogi nię mogą być identyczne !", 2},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    WizardWorld w;
    YearPaths& paths = w.ctx.run.paths;
    if (!c.source.empty()) paths.source_root = w.Path(c.source);
    if (!c.target.empty()) paths.target_root = w.Path(c.target);
    if (c.empty_list) w.Write("RUR_2018/SPISFIRM.DAT", "");
    std::unique_ptr<DialogPage> page = NewLocationsPage(w.ctx);
    page->SetFocus(5);
    w.console.Type("Enter");
    EXPECT_EQ(CheckLocations(w.ctx, *page), c.passes);
    EXPECT_EQ(page->focus(), c.focus_after);
    EXPECT_EQ(paths.source_root.back(), kPathSep);
    EXPECT_EQ(paths.target_root.back(), kPathSep);
    if (c.box_line[0] != '\0') {
      ASSERT_EQ(w.console.frames.size(), 1u);
      EXPECT_NE(w.Screen(0).find(c.box_line), std::string::npos) << w.Screen(0);
    } else {
      EXPECT_EQ(w.console.pending(), 1u);  // no box asked for a key
    }
    // The corrected directory is shown in its line.
    EXPECT_NE(w.Row(7).find(Cp852ToUtf8(paths.source_root)), std::string::npos);
  }
}

TEST(CheckLocationsTest, ShortOrEmptyTargetIsNotTested) {
  for (const char* target : {"", "Q:", "/q/"}) {
    WizardWorld w;
    w.ctx.run.paths.target_root = target;
    std::unique_ptr<DialogPage> page = NewLocationsPage(w.ctx);
    EXPECT_TRUE(CheckLocations(w.ctx, *page)) << target;
  }
}

TEST(LocationsPageTest, SavedOnlyWhenTheCheckPasses) {
  WizardWorld w;
  // Source typed without its final separator, save ticked, PgDn; then a
  // give-up from page 2.
  w.console.Type("Ctrl+Y \"" + Cp852ToUtf8(w.Path("RUR_2018")) + "\" Tab Tab Space PgDn Esc T");
  EXPECT_FALSE(RunWizard(w.ctx));
  EXPECT_EQ(w.Read("BIN/qz18-19.PTH"), "[PATHS]\r\nRUR_2018=" + Cp852ToUtf8(w.Path("RUR_2018")) +
                                          "\r\nRUR_2019=" + Cp852ToUtf8(w.Path("RUR_2019")) +
                                          "\r\n");

  WizardWorld f;
  f.ctx.run.paths.source_root = f.Path("BIN/");
  f.console.Type("Tab Tab Space PgDn Enter Esc T");
  EXPECT_FALSE(RunWizard(f.ctx));
  EXPECT_FALSE(f.Exists("BIN/qz18-19.PTH"));
  EXPECT_NE(f.Screen(4).find("Brak pliku SPISFIRM.DAT"), std::string::npos);
}

TEST(LocationsPageTest, LongDirectoriesAreCutToFifty) {
  WizardWorld w;
  w.ctx.run.paths.source_root = Text(60, 's');
  w.ctx.run.paths.target_root = Text(55, 't');
  std::unique_ptr<DialogPage> page = NewLocationsPage(w.ctx);
  EXPECT_EQ(w.ctx.run.paths.source_root, Text(50, 's'));
  EXPECT_EQ(w.ctx.run.paths.target_root, Text(50, 't'));
}

}  // namespace
}  // namespace qz
