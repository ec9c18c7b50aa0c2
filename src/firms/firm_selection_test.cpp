#include "firms/firm_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context.h"
#include "firms/firm_list.h"
#include "support/test_env.h"
#include "support/ui_world.h"
#include "text/cp852.h"

namespace qz {
namespace {

struct Firm {
  const char* name;
  const char* dir;
  const char* info;
};

/// An office with the old installation in "2018/" and the new in "2019/",
/// on a console that keeps the screen seen at every key.
struct Office : TestEnv {
  RecordingConsole screen_log{&clock};
  Platform recording{fs, screen_log, clock, process};
  Context run{recording};
  FirmTable table;

  explicit Office(const std::vector<Firm>& firms) {
    run.run.paths.source_root = Path("2018/");
    run.run.paths.target_root = Path("2019/");
    WriteFile("2019/.keep", "");
    std::string list;
    for (const Firm& f : firms) {
      FirmListRecord rec{};
      PutText(rec, firm_list::kNameOff, firm_list::kNameMax, Utf8ToCp852(f.name));
      PutText(rec, firm_list::kDirOff, firm_list::kDirMax, f.dir);
      PutText(rec, firm_list::kInfoOff, firm_list::kInfoMax, Utf8ToCp852(f.info));
      list.append(reinterpret_cast<const char*>(rec.data()), rec.size());
      WriteFile(std::string("2018/") + f.dir + "/.keep", "");
    }
    WriteFile("2018/SPISFIRM.DAT", list);
  }
  bool Choose(const std::string& keys) {
    screen_log.Type(keys);
    return ChooseFirms(run, table);
  }
  std::vector<bool> Ticks() {
    std::vector<bool> out;
    for (int32_t i = 1; i <= table.count(); ++i) out.push_back(FirmAt(table, i)->selected);
    return out;
  }
  /// Columns `col`.. of screen row `row` as seen when key `frame` was read.
  std::string Seen(std::size_t frame, int row, int col, int n) {
    return Cp852GlyphsToUtf8(screen_log.frames.at(frame).RowText(row).substr(
        static_cast<std::size_t>(col - 1), static_cast<std::size_t>(n)));
  }
};

// The page's inner area starts at screen (11, 7); the list's item row r is
// screen row 8 + r, its text starts at column 13, so item column k is
// screen column 12 + k: the mark (32) at 44, the directory (34) at 46.
constexpr int kTextCol = 13, kMarkCol = 44;
int ItemRow(int r) { return 8 + r; }

const std::vector<Firm> kThree = {
    {"Alfa Sp. z o.o.", "ALFA", "Biuro Kraków ul. Długa 25"},
    {"Kowalski Jan", "KOWAL", "usługi"},
    {"Kot i Syn", "ZZKOT", ""},
};

TEST(ChooseFirmsTest, ShowsTheFirmsTickedWithTheirHintBar) {
  Office o(kThree);
  EXPECT_FALSE(o.Choose("Esc"));
  EXPECT_EQ(o.Seen(0, 6, 33, 11), " BAZA FIRM ");
  EXPECT_EQ(o.Seen(0, 7, kTextCol, 47), "Nazwa                   Wybrana? KATALOG   INFO");
  // The information text of 25 characters shows its first 10 only.
  EXPECT_EQ(o.Seen(0, ItemRow(1), kTextCol, 54),
            "Alfa Sp. z o.o.                ■ ALFA     Biuro Krak │");
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(o.Seen(0, ItemRow(r), kMarkCol, 1), "■") << r;
  EXPECT_EQ(o.Seen(0, ItemRow(2), kTextCol, 52),
            "Kowalski Jan                   ■ KOWAL    usługi    ");
  EXPECT_EQ(o.Seen(0, ItemRow(4), kTextCol, 52), std::string(52, ' '));
  EXPECT_EQ(o.screen_log.frames.at(0).AttrAt(kTextCol, ItemRow(1)), 0x70);  // current
  EXPECT_EQ(o.screen_log.frames.at(0).AttrAt(kTextCol, ItemRow(2)), 0x1F);
  EXPECT_EQ(o.Seen(0, 25, 1, 58), " SPACE - Zaznacz (■)│^W Wszystkie │^D Żadna │F5 - ZACZNIJ│");
  // Esc gives up whatever is ticked; the page and its hint bar are gone.
  EXPECT_EQ(o.Ticks(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(o.run.ui.current_hint(), nullptr);
  EXPECT_EQ(o.screen_log.screen().RowUtf8(6).find("BAZA FIRM"), std::string::npos);
}

TEST(ChooseFirmsTest, SpaceTogglesTheFirmUnderTheCursor) {
  Office o(kThree);
  EXPECT_TRUE(o.Choose("Down Space Space Down Space F5"));
  EXPECT_EQ(o.Seen(2, ItemRow(2), kMarkCol, 1), "˙");  // after the first Space
  EXPECT_EQ(o.Seen(3, ItemRow(2), kMarkCol, 1), "■");  // ticked again
  EXPECT_EQ(o.Seen(5, ItemRow(3), kMarkCol, 1), "˙");
  EXPECT_EQ(o.screen_log.frames.at(5).AttrAt(kTextCol, ItemRow(3)), 0x70);  // still current
  EXPECT_EQ(o.Ticks(), (std::vector<bool>{true, true, false}));
}

TEST(ChooseFirmsTest, AllAndNone) {
  struct Case {
    const char* keys;
    bool result;
    std::vector<bool> ticks;
  };
  const Case cases[] = {
      {"Ctrl+D F5", true, {false, false, false}},
      {"Ctrl+D Ctrl+W Space F5", true, {false, true, true}},
      {"Ctrl+D Esc", false, {false, false, false}},
  };
  for (const Case& c : cases) {
    Office o(kThree);
    EXPECT_EQ(o.Choose(c.keys), c.result) << c.keys;
    EXPECT_EQ(o.Ticks(), c.ticks) << c.keys;
  }
  Office o(kThree);
  o.Choose("Ctrl+D F5");
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(o.Seen(1, ItemRow(r), kMarkCol, 1), "˙") << r;
}

TEST(ChooseFirmsTest, SearchByNameAndAfterTabByDirectory) {
  struct Case {
    const char* keys;
    std::vector<bool> ticks;  // Space unticks the firm found
  };
  const Case cases[] = {
      {"\"k\" Space F5", {true, false, true}},
      {"\"kot\" Space F5", {true, true, false}},
      {"Tab \"z\" Space F5", {true, true, false}},
      {"Tab \"kowal\" Space F5", {true, false, true}},
      {"Tab \"kot\" Space F5", {true, false, true}},  // "KO" found KOWAL, "KOT" nothing
  };
  for (const Case& c : cases) {
    Office o(kThree);
    EXPECT_TRUE(o.Choose(c.keys)) << c.keys;
    EXPECT_EQ(o.Ticks(), c.ticks) << c.keys;
  }
  Office o(kThree);
  o.Choose("Tab \"zz\" F5");
  // ">" stands right before the directory column, the typed text under it.
  EXPECT_EQ(o.Seen(3, 19, 44, 5), "─>ZZ─");
}

TEST(ChooseFirmsTest, NoFirmNoPage) {
  // The only firm is already in the new installation.
  Office o({{"Beta", "BETA", ""}});
  o.WriteFile("2019/BETA/.keep", "");
  EXPECT_FALSE(o.Choose("Enter"));  // the key answers the detection's pause
  EXPECT_EQ(o.table.count(), 0);
  EXPECT_EQ(o.run.ui.current_hint(), nullptr);
}

}  // namespace
}  // namespace qz
