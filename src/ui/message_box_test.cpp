#include "ui/message_box.h"

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "support/ui_world.h"
#include "text/cp852.h"
#include "ui/hint_bar.h"
#include "ui/ui.h"

namespace qz {
namespace {

// MessageBoxAt: outer (20,8)-(59,17); inner column c is screen column c + 20,
// inner row r is screen row r + 8.

TEST(MessageBoxTest, ErrorBoxWithOneButton) {
  UiWorld w;
  const Screen before = w.screen();
  w.console.Type("Enter");
  EXPECT_EQ(MessageBoxAt(w.ui, "Brak pliku\rSPISFIRM.DAT", box::kError | box::kOkButton), cmd::kOk);
  ASSERT_EQ(w.console.frames.size(), 1u);
  const Screen& f = w.console.frames[0];
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(8).substr(19, 40)),
            "┌──────────────── Błąd ────────────────┐");
  EXPECT_EQ(f.AttrAt(20, 8), 0x4F);  // frame
  EXPECT_EQ(f.AttrAt(38, 8), 0x4F);  // title
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(9).substr(20, 12)), "Brak pliku  ");
  EXPECT_EQ(f.AttrAt(21, 9), 0x4F);  // text
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(10).substr(20, 12)), "SPISFIRM.DAT");
  // The one button, focused, at inner column 15, inner row 7.
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(15).substr(34, 10)), " »  OK   «");
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(25).substr(0, 3)), " ?│");
  // Everything is back afterwards: screen (but the clock, which ran while the
  // box waited for its key), colours, hint bar, window.
  EXPECT_EQ(w.Row(1).substr(0, 72), std::string(72, ' '));
  for (int row = 2; row <= 25; ++row) EXPECT_EQ(w.Row(row), before.RowUtf8(row)) << row;
  EXPECT_EQ(w.ui.colours(), ColourSet{});
  EXPECT_EQ(w.ui.current_hint(), nullptr);
  EXPECT_EQ(w.ui.current_window(), nullptr);

  w.console.Type("Esc");
  EXPECT_EQ(MessageBoxAt(w.ui, "x", 0x401), cmd::kCancel);
}

TEST(MessageBoxTest, QuestionWithTwoButtons) {
  struct Case {
    const char* keys;
    uint16_t result;
  };
  const Case cases[] = {{"Enter", cmd::kYes}, {"\"n\"", cmd::kNo},     {"\"N\"", cmd::kNo},
                        {"Tab Enter", cmd::kNo}, {"Tab Space", cmd::kNo}, {"Tab \"t\"", cmd::kYes},
                        {"rclick(30,12)", cmd::kCancel}, {"\"q\" Esc", cmd::kCancel}};
  for (const Case& c : cases) {
    UiWorld w;
    w.console.Type(c.keys);
    EXPECT_EQ(MessageBoxAt(w.ui, "Plik zajęty.\rPonowić ?"_cp, 0x300), c.result) << c.keys;
    const Screen& f = w.console.frames[0];
    // Gap (40 - 18) div 3 = 7: "Tak" at inner column 7 (focused, shifted),
    // "Nie" at inner column 23.
    EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(15).substr(26, 10)), " »  Tak  «");
    EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(15).substr(42, 10)), "   Nie   ▄");
    EXPECT_EQ(f.RowText(8).substr(35, 7), " UWAGA ");  // title of kind 0
  }
}

TEST(MessageBoxTest, LinesBeyondTheBoxAreNotShown) {
  UiWorld w;
  Text text;
  for (char c = 'a'; c <= 'l'; ++c) text += Text(1, c) + (c < 'l' ? "\r" : "");
  w.console.Type("Esc");
  MessageBoxAt(w.ui, text, box::kInformation | box::kOkButton);
  const Screen& f = w.console.frames[0];
  EXPECT_EQ(f.RowText(16).substr(20, 1), "h");  // inner row 8, the last
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(17).substr(19, 3)), "└──");
}

TEST(MessageBoxTest, BoxThatCannotBeShownIsACancel) {
  UiWorld w;
  EXPECT_EQ(MessageBox(w.ui, 60, 8, 40, 10, "x", box::kError | box::kOkButton), cmd::kCancel);
  EXPECT_EQ(w.ui.colours(), ColourSet{});
  EXPECT_EQ(w.console.frames.size(), 0u);
}

TEST(InputBoxTest, NarrowInputLineAndWidthBackTo37) {
  UiWorld w;
  Text value = "x";
  SetInputBoxWidth(w.ui, 3);
  w.console.Type("Ctrl+Y \"abcd\" Enter");
  EXPECT_EQ(InputBox(w.ui, "Podaj kod", &value, false), cmd::kOk);
  EXPECT_EQ(value, "abc");
  const Screen& f = w.console.frames[0];
  // Inner column (37 - 3) div 2 + 2 = 19, inner row 5: screen (39, 13).
  EXPECT_EQ(f.RowText(13).substr(38, 3), "x  ");
  EXPECT_EQ(f.AttrAt(39, 13), 0x70);
  EXPECT_EQ(f.AttrAt(42, 13), 0x02);
  EXPECT_EQ(f.RowText(10).substr(21, 9), "Podaj kod");
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(25).substr(0, 35)), " Enter - potwierdź│Esc - zrezygnuj│");
  EXPECT_EQ(w.ui.input_box_width(), 37);

  SetInputBoxWidth(w.ui, 0);
  SetInputBoxWidth(w.ui, 37);
  EXPECT_EQ(w.ui.input_box_width(), 37);
}

TEST(InputBoxTest, CancelGivesTheOldValueBack) {
  for (const char* keys : {"Ctrl+Y \"nowy\" Esc", "\"zz\" rclick(1,1)", "Ctrl+Y Tab Esc"}) {
    UiWorld w;
    const Text old = Text(45, 'a') + "  ";  // longer than the field
    Text value = old;
    SetInputBoxWidth(w.ui, 10);
    w.console.Type(keys);
    EXPECT_EQ(InputBox(w.ui, "Tekst", &value, false), cmd::kCancel) << keys;
    EXPECT_EQ(value, old) << keys;
    EXPECT_EQ(w.ui.input_box_width(), 37);
  }
}

TEST(InputBoxTest, EnterConfirmsFromTheButtonAndMaskedShowsStars) {
  UiWorld w;
  Text value = "tajne";
  w.console.Type("Tab Enter");
  EXPECT_EQ(InputBox(w.ui, "Hasło"_cp, &value, true), cmd::kOk);
  EXPECT_EQ(value, "tajne");
  EXPECT_EQ(w.console.frames[0].RowText(13).substr(21, 7), "*****  ");
}

// ConfirmBox: the box of `text` at (x, y) with lines L and width W has its
// menu lines on screen rows y + L + 2 and y + L + 3.
TEST(ConfirmBoxTest, AnswersByKeysMouseAndHintBar) {
  struct Case {
    const char* keys;
    bool default_yes;
    bool result;
  };
  const Case cases[] = {
      {"Enter", false, false},      {"Enter", true, true},     {"Esc Up Enter", false, true},
      {"Down Down Enter", true, true}, {"\"t\"", false, true},  {"\"N\"", true, false},
      {"Ctrl+T", false, true},      {"Ctrl+N", true, false},
      {"click(13,13)", false, true},  // on the "Tak" line
      {"click(13,14)", true, false},  // on the "Nie" line
      {"rclick(13,13)", true, false},
  };
  for (const Case& c : cases) {
    UiWorld w;
    w.console.Type(c.keys);
    EXPECT_EQ(ConfirmBox(w.ui, 10, 10, "Rezygnujesz ?", c.default_yes), c.result) << c.keys;
    EXPECT_EQ(w.ui.current_window(), nullptr);
    EXPECT_EQ(w.ui.current_hint(), nullptr);
  }
}

TEST(ConfirmBoxTest, LayoutAndALongLineMovingTheBoxLeft) {
  UiWorld w;
  const Text line(70, 'w');
  w.console.Type("Esc Up Enter");
  EXPECT_TRUE(ConfirmBox(w.ui, 10, 5, "Pytanie\r" + line, false));
  // X 10 + width 70 > 77: X = 7; outer (7,5)-(80,11).
  const Screen& f = w.console.frames[0];
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(5).substr(6, 2)), "┌─");
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(5).substr(79, 1)), "┐");
  EXPECT_EQ(f.RowText(6).substr(8, 8), "Pytanie ");
  EXPECT_EQ(f.AttrAt(9, 6), 0x0F);  // [7]
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(8).substr(7, 3)), "───");
  EXPECT_EQ(f.RowText(9).substr(8, 8), " T a k  ");
  EXPECT_EQ(f.RowText(10).substr(8, 8), " N i e  ");
  EXPECT_EQ(f.AttrAt(9, 10), 0x70);   // the current answer "Nie" in [10]
  EXPECT_EQ(f.AttrAt(10, 9), 0x0F);   // hot letter "T" in [9]
  EXPECT_EQ(f.AttrAt(12, 9), 0x02);   // rest of the line in [5]
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(25).substr(0, 19)), " ^T - tak│^N - nie│");
  // After Esc (ignored) and Up the highlight is on "Tak".
  EXPECT_EQ(w.console.frames[2].AttrAt(10, 9), 0x70);
  EXPECT_EQ(w.console.frames[2].AttrAt(10, 10), 0x0F);
}

TEST(ConfirmBoxTest, BoxNearTheBottomMovesUp) {
  UiWorld w;
  w.console.Type("Enter");
  ConfirmBox(w.ui, 10, 22, "a\rb", true);
  // Y 22 + 2 lines + 5 > 24: Y = 17; the frame's top on row 17.
  EXPECT_EQ(Cp852GlyphsToUtf8(w.console.frames[0].RowText(17).substr(9, 1)), "┌");
}

}  // namespace
}  // namespace qz
