#include "ui/pick_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ui_world.h"
#include "text/cp852.h"
#include "ui/commands.h"
#include "ui/dialog_page.h"

namespace qz {
namespace {

/// A list of fixed texts.
class TextList : public PickList {
 public:
  TextList(std::vector<Text> items, int width, int rows, int32_t* current)
      : PickList(NewLabel(3, 1, "Lista"), kX, kY, width, rows, current), items_(std::move(items)) {}

  void UpdateCount() override { SetCount(static_cast<int32_t>(items_.size())); }
  Text GetItemText(int32_t index) override { return items_.at(static_cast<std::size_t>(index - 1)); }

  static constexpr int kX = 1, kY = 2;

 private:
  std::vector<Text> items_;
};

/// A page that ends on the list's own commands, so they can be seen.
class ListPage : public DialogPage {
 public:
  explicit ListPage(Ui& ui) : DialogPage(ui, 1, 1, 70, 20, "Lista") {}
  void HandleEvent(UiEvent* event) override {
    DialogPage::HandleEvent(event);
    if (event->IsCommand() && event->command >= pick_cmd::kDelete &&
        event->command <= pick_cmd::kInsert) {
      EndModal();
    }
  }
};

std::vector<Text> Numbered(int n) {
  std::vector<Text> items;
  for (int i = 1; i <= n; ++i) items.push_back("Item " + std::string(i < 10 ? "0" : "") + std::to_string(i));
  return items;
}

// The page window is (1,1)-(70,20): page-relative (c, r) is screen (c + 1,
// r + 1). With the list at (1, 2): the frame spans screen rows 3..rows + 4,
// item row r is screen row 3 + r and its text starts at screen column 4.
struct ListWorld : UiWorld {
  ListWorld(std::vector<Text> items, int32_t current, int width = 20, int rows = 10)
      : current(current), width(width), rows(rows) {
    page = std::make_unique<ListPage>(ui);
    list = page->Add(std::make_unique<TextList>(std::move(items), width, rows, &this->current));
  }
  uint16_t Run(const char* keys) {
    console.Type(keys);
    return page->Run();
  }
  static int ItemRow(int r) { return 3 + r; }
  int BottomRow() const { return 4 + rows; }
  int MarkCol() const { return 2 + width; }  // screen column of X + width
  /// Every shown row: its text and whether it is the highlighted one.
  void ExpectRows(int first_item, int highlighted_item, const std::string& where) {
    for (int r = 1; r <= rows; ++r) {
      int item = first_item + r - 1;
      if (item > list->count()) break;
      std::string want = Cp852ToUtf8(list->GetItemText(item));
      EXPECT_EQ(Seg(ItemRow(r), 4, static_cast<int>(want.size())), want) << where << " row " << r;
      EXPECT_EQ(screen().AttrAt(4, ItemRow(r)), item == highlighted_item ? 0x70 : 0x1F)
          << where << " row " << r;
    }
  }

  int32_t current;
  int width, rows;
  std::unique_ptr<ListPage> page;
  TextList* list = nullptr;
};

TEST(PickListTest, RecentresAtTheEndAndPagesUp) {
  ListWorld w(Numbered(25), 25);
  EXPECT_EQ(w.list->top(), 15);
  EXPECT_EQ(w.list->cursor_row(), 10);
  w.ExpectRows(16, 25, "drawn");
  // Not focused: plain frame, no scroll marks, no search prompt.
  EXPECT_EQ(w.Seg(3, 2, 24), "┌──────────────────────┐");
  EXPECT_EQ(w.Seg(w.BottomRow(), 2, 24), "└──────────────────────┘");
  EXPECT_EQ(w.screen().AttrAt(2, 3), 0x07);

  w.Run("PgUp Esc");
  EXPECT_EQ(w.current, 15);
  EXPECT_EQ(w.list->top(), 10);
  EXPECT_EQ(w.list->cursor_row(), 5);
  // Focused at the end of the list: items above, none below.
  EXPECT_EQ(w.FrameSeg(0, 3, w.MarkCol(), 1), "^");
  EXPECT_EQ(w.FrameSeg(0, w.BottomRow(), w.MarkCol(), 1), "─");
  EXPECT_EQ(w.FrameSeg(0, w.BottomRow(), 2, 3), "└>─");
  EXPECT_EQ(w.console.frames.at(0).AttrAt(2, 3), 0x0F);
  // After PgUp there are items on both sides.
  EXPECT_EQ(w.FrameSeg(1, 3, w.MarkCol(), 1), "^");
  EXPECT_EQ(w.FrameSeg(1, w.BottomRow(), w.MarkCol(), 1), "v");
  w.ExpectRows(11, 15, "after PgUp");
  // Unfocused again after Esc.
  EXPECT_EQ(w.Seg(3, w.MarkCol(), 1), "─");
  EXPECT_EQ(w.Seg(w.BottomRow(), 2, 3), "└──");
}

TEST(PickListTest, MovingKeys) {
  struct Case {
    const char* keys;
    int32_t start;
    int32_t current;
    int32_t top;
  };
  const Case cases[] = {
      {"Down Down", 1, 3, 0},
      {"Down Down Down Down Down Down Down Down Down Down Down", 1, 12, 2},  // scrolls 2 lines
      {"Up", 1, 1, 0},                                                      // nothing above
      {"Down", 25, 25, 15},                                                 // nothing below
      {"Up Up Up Up Up Up", 13, 7, 6},  // row 5 of 9..18: 4 moves up, then 2 scrolls
      {"PgDn", 1, 11, 6},
      {"PgDn PgDn PgDn", 1, 25, 15},
      {"PgUp", 3, 1, 0},
      {"End", 1, 25, 15},
      {"End Home", 1, 1, 0},
      {"End Up Up Up Up Up Up Up Up Up Up Down", 1, 16, 14},
  };
  for (const Case& c : cases) {
    ListWorld w(Numbered(25), c.start);
    w.Run((std::string(c.keys) + " Esc").c_str());
    EXPECT_EQ(w.current, c.current) << c.keys;
    EXPECT_EQ(w.list->top(), c.top) << c.keys;
    EXPECT_EQ(w.list->cursor_row(), c.current - c.top) << c.keys;
    // The rows moved line by line must equal a full redraw.
    w.ExpectRows(c.top + 1, c.current, c.keys);
  }
}

TEST(PickListTest, ShortListLeavesBlankRowsAndNeverScrolls) {
  ListWorld w(Numbered(3), 9);  // out of range: starts on the first item
  EXPECT_EQ(w.current, 1);
  w.Run("Down Down Down PgDn Esc");
  EXPECT_EQ(w.current, 3);
  EXPECT_EQ(w.list->top(), 0);
  w.ExpectRows(1, 3, "short");
  EXPECT_EQ(w.Seg(ListWorld::ItemRow(4), 4, 20), std::string(20, ' '));
  EXPECT_EQ(w.screen().AttrAt(4, ListWorld::ItemRow(4)), 0x02);
  EXPECT_EQ(w.Seg(w.BottomRow(), w.MarkCol(), 1), "─");
}

TEST(PickListTest, KeysThatSendCommandsOrEndEditing) {
  struct Case {
    const char* keys;
    uint16_t result;
  };
  const Case cases[] = {
      {"Enter", pick_cmd::kSelect},     {"Ctrl+Enter", pick_cmd::kCtrlEnter},
      {"Del", pick_cmd::kDelete},       {"Ins", pick_cmd::kInsert},
      {"Esc", cmd::kCancel},            {"F1 Esc", cmd::kCancel},
  };
  for (const Case& c : cases) {
    ListWorld w(Numbered(5), 2);
    EXPECT_EQ(w.Run(c.keys), c.result) << c.keys;
    EXPECT_EQ(w.current, 2) << c.keys;
  }
}

TEST(PickListTest, MousePresses) {
  // Screen rows: top frame 3, items 4..13, bottom frame 14.
  struct Case {
    const char* name;
    int items;
    int32_t start;
    const char* keys;
    uint16_t result;
    int32_t current;
  };
  const Case cases[] = {
      {"top frame acts as PgUp", 25, 25, "click(10,3) Esc", cmd::kCancel, 15},
      {"bottom frame acts as PgDn", 25, 1, "click(10,14) Esc", cmd::kCancel, 11},
      {"below the last item acts as PgDn", 5, 1, "click(10,11) Esc", cmd::kCancel, 5},
      {"another row moves the highlight", 25, 1, "click(10,7) Esc", cmd::kCancel, 4},
      {"the current row selects", 25, 4, "click(5,7)", pick_cmd::kSelect, 4},
      {"a press outside ends editing", 25, 3, "click(40,7) Esc", cmd::kCancel, 3},
      {"the right button cancels", 25, 3, "rclick(10,7)", cmd::kCancel, 3},
  };
  for (const Case& c : cases) {
    ListWorld w(Numbered(c.items), c.start);
    EXPECT_EQ(w.Run(c.keys), c.result) << c.name;
    EXPECT_EQ(w.current, c.current) << c.name;
    w.ExpectRows(w.list->top() + 1, c.current, c.name);
  }
}

std::vector<Text> Names() {
  return {"Alfa", "K", "Kappa", "beta", "Kowal", "kot", "Śliwa"_cp, "Kozak"};
}

TEST(PickListTest, PrompterSearchNarrowsForwardFromTheCurrentItem) {
  ListWorld w(Names(), 1);
  w.Run("\"k\" \"o\" \"t\" Esc");
  EXPECT_EQ(w.FrameSeg(1, w.BottomRow(), 2, 4), "└>K─");
  EXPECT_EQ(w.FrameSeg(2, w.BottomRow(), 2, 5), "└>KO─");
  EXPECT_EQ(w.FrameSeg(3, w.BottomRow(), 2, 6), "└>KOT─");
  EXPECT_EQ(w.current, 6);             // "K" is too short for "KO", "Kowal" passed by "KOT"
  EXPECT_TRUE(w.list->search_text().empty());  // Esc cleared it
  EXPECT_TRUE(w.console.beeps().empty());

  struct Case {
    const char* keys;
    int32_t current;
  };
  const Case cases[] = {
      {"\"k\"", 2},
      {"\"ko\"", 5},
      {"\"b\"", 4},            // lower-case text, upper-cased on both sides
      {"Alt+S", 7},            // Polish letter
      {"\"ko\" Down \"k\"", 2},  // a new search starts from the top
      {"\"koz\"", 8},
  };
  for (const Case& c : cases) {
    ListWorld v(Names(), 1);
    v.Run((std::string(c.keys) + " Esc").c_str());
    EXPECT_EQ(v.current, c.current) << c.keys;
  }
}

TEST(PickListTest, SearchWithoutMatchBeepsAndStartsAfresh) {
  ListWorld w(Names(), 3);
  w.Run("\"ko\" \"x\" \"a\" Esc");
  EXPECT_EQ(w.console.beeps(), std::vector<int>{1200});
  EXPECT_EQ(w.FrameSeg(3, w.BottomRow(), 2, 4), "└>──");  // "KOX" failed: empty again
  EXPECT_EQ(w.current, 1);  // the fresh "A" from the top finds "Alfa"
  EXPECT_EQ(w.FrameSeg(4, w.BottomRow(), 2, 4), "└>A─");

  ListWorld v(Names(), 3);
  v.Run("\"z\" Esc");
  EXPECT_EQ(v.current, 3);  // unchanged
  EXPECT_EQ(v.console.beeps(), std::vector<int>{1200});
}

TEST(PickListTest, TabSearchesFromTheSecondColumn) {
  //                       column 9
  std::vector<Text> items = {"Alfa    ZETA", "Beta    ALFA", "Gamma   BETA", "Zeta    BRAVO"};
  ListWorld w(items, 1);
  w.list->AddSearchColumn(9);
  w.Run("Tab \"b\" \"r\" Tab \"b\" Esc");
  // ">" stands one cell before the compared text: screen column 4 + 9 - 2.
  EXPECT_EQ(w.FrameSeg(1, w.BottomRow(), 10, 3), "─>─");
  EXPECT_EQ(w.FrameSeg(3, w.BottomRow(), 11, 3), ">BR");
  EXPECT_EQ(w.FrameSeg(4, w.BottomRow(), 2, 3), "└>─");  // back on column 1
  EXPECT_EQ(w.current, 2);  // "BR" found "BRAVO" (4); then "B" from the top: "Beta"

  ListWorld v(items, 1);
  v.list->AddSearchColumn(9);
  v.Run("Shift+Tab \"bra\" Esc");
  EXPECT_EQ(v.current, 4);
  EXPECT_EQ(v.list->search_column(), 9);
}

TEST(PickListTest, AddSearchColumnFillsFiveSlotsAndTabCycles) {
  ListWorld w(Names(), 1);
  for (int col = 2; col <= 7; ++col) w.list->AddSearchColumn(col);  // the sixth is dropped
  w.Run("Tab Tab Tab Tab Esc");
  EXPECT_EQ(w.list->search_column(), 5);
  w.Run("Tab Esc");
  EXPECT_EQ(w.list->search_column(), 1);
}

}  // namespace
}  // namespace qz
