#include "ui/dialog_page.h"

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "support/ui_world.h"
#include "text/cp852.h"
#include "ui/check_box.h"
#include "ui/commands.h"
#include "ui/input_line.h"
#include "ui/push_button.h"
#include "ui/radio_group.h"

namespace qz {
namespace {

// Page window (1,1)-(60,20): inner column c is screen column c + 1, inner
// row r is screen row r + 1.
std::unique_ptr<DialogPage> MakePage(UiWorld& w) {
  auto page = DialogPage::Init(w.ui, 1, 1, 60, 20, "Strona");
  EXPECT_NE(page, nullptr);
  return page;
}

struct InputCase {
  const char* name;
  const char* initial;
  int max_len;
  const char* keys;
  const char* expected;
};

TEST(InputLineTest, Keys) {
  const InputCase cases[] = {
      {"full line: insert drops the last character", "#BIN980", 7, "\"X\"", "#BIN98X"},
      {"Ctrl+P restores the text of the start", "#BIN980", 7, "\"X\" Ctrl+P", "#BIN980"},
      {"Ctrl+Y empties", "abc", 10, "Ctrl+Y", ""},
      {"typing appends", "ab", 10, "\"cd\"", "abcd"},
      {"insert in the middle", "abc", 10, "Ctrl+Left \"X\"", "Xabc"},
      {"overwrite after Ins", "abc", 10, "Ins Ctrl+Left \"XY\" Ins", "XYc"},
      {"beyond the field nothing is typed", "abcd", 5, "\"XYZ\"", "abcdX"},
      {"backspace", "abc", 10, "Backspace Backspace", "a"},
      {"backspace at the start", "abc", 10, "Ctrl+Left Backspace", "abc"},
      {"delete at the cursor", "abc", 10, "Ctrl+Left Del", "bc"},
      {"left and right", "abc", 10, "Left Left \"X\" Right \"Y\"", "aXbYc"},
      {"Ctrl+Right lands on the last character", "abc", 10, "Ctrl+Right \"X\"", "abXc"},
      {"Ctrl+D upper-cases Polish letters", "żółć x", 10, "Ctrl+D", "ŻÓŁĆ X"},
      {"Ctrl+M lower-cases", "ĄĘ AB", 10, "Ctrl+M", "ąę ab"},
      {"clipboard: Ctrl+K then Ctrl+W", "abc", 10, "Ctrl+K Ctrl+Y \"zz\" Ctrl+W", "abc"},
      {"trailing spaces go on leaving", "ab", 10, "\"  \"", "ab"},
      {"Polish letters by Alt", "", 10, "Alt+Z Alt+Shift+O", "żÓ"},
  };
  for (const InputCase& c : cases) {
    UiWorld w;
    auto page = MakePage(w);
    Text value = Utf8ToCp852(c.initial);
    page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, c.max_len, &value));
    w.console.Type(c.keys);
    w.console.Type("Esc");
    EXPECT_EQ(page->Run(), cmd::kCancel) << c.name;
    EXPECT_EQ(Cp852ToUtf8(value), c.expected) << c.name;
  }
}

TEST(InputLineTest, CtrlYThenTabLeavesAnEmptyStringAndInsertModeIsShared) {
  UiWorld w;
  auto page = MakePage(w);
  Text first = "abc", second = "xyz";
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 10, &first));
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 4, 10, &second));
  w.console.Type("Ctrl+Y Tab Ins Ctrl+Left \"Q\" Esc");
  page->Run();
  EXPECT_EQ(first, "");
  EXPECT_EQ(second, "Qyz");  // overwrite: one mode for every input line
  EXPECT_FALSE(w.ui.insert_mode());
}

TEST(InputLineTest, CreationCutsOrTrims) {
  Text long_text = "abcdefghij", padded = "ab  \t ";
  InputLine a(nullptr, 1, 1, 4, &long_text);
  InputLine b(nullptr, 1, 1, 10, &padded);
  EXPECT_EQ(long_text, "abcd");
  EXPECT_EQ(padded, "ab");
}

TEST(InputLineTest, PasteTakesTheClipboardUpToItsFirstLineEnd) {
  UiWorld w;
  auto page = MakePage(w);
  Text value = "old";
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 8, &value));
  w.console.SetClipboard("first line is long\r\nsecond");
  w.console.Key(key::kIns, 0x23);
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(value, "first li");
}

TEST(InputLineTest, DrawsPlainOrMaskedInTheInputColours) {
  UiWorld w;
  auto page = MakePage(w);
  Text secret = "abc", plain = "xy";
  auto* masked = page->Add(std::make_unique<InputLine>(NewLabel(2, 2, "Hasło:"_cp), 10, 2, 6, &secret));
  masked->set_masked(true);
  masked->Draw();
  page->Insert(std::make_unique<InputLine>(nullptr, 10, 3, 4, &plain));
  EXPECT_EQ(w.Seg(3, 3, 15), "Hasło:  ***    ");
  EXPECT_EQ(w.screen().AttrAt(3, 3), 0x07);
  EXPECT_EQ(w.screen().AttrAt(11, 3), 0x1F);
  EXPECT_EQ(w.Seg(4, 11, 5), "xy   ");
  EXPECT_EQ(w.screen().AttrAt(15, 4), 0x02);
  w.console.Type("Esc");
  page->Run();
  // While focused: label in [1], field in [3].
  EXPECT_EQ(w.console.frames[0].AttrAt(3, 3), 0x0F);
  EXPECT_EQ(w.console.frames[0].AttrAt(11, 3), 0x70);
  EXPECT_EQ(w.console.frames[0].cursor_col(), 14);
}

TEST(DialogPageTest, TabAndShiftTabWrapAround) {
  UiWorld w;
  auto page = MakePage(w);
  Text s = "a";
  bool flag = false;
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 10, &s));
  page->Insert(std::make_unique<CheckBox>(nullptr, 2, 4, &flag, "Pole"));
  page->Insert(std::make_unique<PushButton>(2, 6, 10, 1, "Dalej", 0x1001));
  w.console.Type("Tab Tab Tab Esc");
  page->Run();
  EXPECT_EQ(page->focus(), 1);
  w.console.Type("Shift+Tab Esc");
  page->Run();
  EXPECT_EQ(page->focus(), 3);
  page->SetFocus(7);  // out of range: no change
  EXPECT_EQ(page->focus(), 3);
}

TEST(DialogPageTest, HotLetterPressesAButtonOnlyWhenTheFocusedControlPassesIt) {
  UiWorld w;
  auto page = MakePage(w);
  Text s;
  bool flag = false;
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 10, &s));
  page->Insert(std::make_unique<CheckBox>(nullptr, 2, 4, &flag, "Pole"));
  page->Insert(std::make_unique<PushButton>(2, 6, 10, 1, "Dalej", 0x1001));
  page->Insert(std::make_unique<PushButton>(14, 6, 12, 1, "Poniechaj", cmd::kCancel));
  w.console.Type("\"p\" Tab \"p\"");
  EXPECT_EQ(page->Run(), cmd::kCancel);
  EXPECT_EQ(s, "p");
  EXPECT_EQ(page->focus(), 4);
  // A command of the wizard does not end the base page.
  page->SetFocus(2);
  w.console.Type("\"D\" Esc");
  EXPECT_EQ(page->Run(), cmd::kCancel);
  EXPECT_EQ(page->focus(), 3);
}

TEST(DialogPageTest, MouseButtons) {
  struct Case {
    uint8_t buttons;
    uint16_t result;
  };
  for (Case c : {Case{2, cmd::kCancel}, Case{3, cmd::kOk}}) {
    UiWorld w;
    auto page = MakePage(w);
    Text s = "abc";
    page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 10, &s));
    w.console.Mouse(c.buttons, 40, 15);
    EXPECT_EQ(page->Run(), c.result);
  }
}

TEST(DialogPageTest, LeftPressFocusesTheControlOrItsLabelAndALabelPressBeeps) {
  UiWorld w;
  auto page = MakePage(w);
  Text s = "abc";
  bool flag = false;
  page->Insert(std::make_unique<InputLine>(NewLabel(2, 2, "Nazwa"), 10, 2, 10, &s));
  page->Insert(std::make_unique<CheckBox>(NewLabel(2, 5, "Opcja"), 10, 5, &flag, "Pole"));
  w.console.Mouse(1, 3, 5);  // inner (3, 5): the check box's label
  w.console.Type("Space");   // the check box now has the focus: toggles
  w.console.Mouse(1, 3, 5);  // its own label while focused: a click tone only
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(page->focus(), 2);
  EXPECT_TRUE(flag);
  ASSERT_EQ(w.console.beeps().size(), 1u);
  EXPECT_EQ(w.console.beeps()[0], 4000);
}

TEST(DialogPageTest, HintBarKeyWinsOverTheFocusedControl) {
  UiWorld w;
  auto page = MakePage(w);
  Text s = "abc";
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 2, 10, &s));
  page->SetHintBar(std::make_unique<HintBar>(w.ui, NewHint("x - OK", 0x2D78, cmd::kOk)));
  w.console.Type("\"x\"");
  EXPECT_EQ(page->Run(), cmd::kOk);
  EXPECT_EQ(s, "abc");
  page->Done();
  EXPECT_EQ(w.ui.current_hint(), nullptr);
  EXPECT_EQ(w.ui.current_window(), nullptr);
}

TEST(DialogPageTest, PageWithoutControlsStillEnds) {
  UiWorld w;
  auto page = MakePage(w);
  w.console.Type("\"a\" Tab Esc");
  EXPECT_EQ(page->Run(), cmd::kCancel);
}

TEST(CheckBoxGroupTest, KeysSetClearToggleAndLeaveAtTheEnds) {
  UiWorld w;
  auto page = MakePage(w);
  Text s;
  uint16_t bits = 0x0005;
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 1, 5, &s));
  auto* group = page->Add(std::make_unique<CheckBoxGroup>(
      NewLabel(2, 2, "Dane"), 2, 3, NewItem("jeden", NewItem("dwa", NewItem("trzy", NewItem("cztery")))), &bits));
  page->Insert(std::make_unique<PushButton>(30, 3, 8, 1, "OK", cmd::kOk));
  EXPECT_EQ(group->x2(), 12);
  EXPECT_EQ(group->y2(), 7);
  page->SetFocus(2);
  // Up on the first item goes to the previous control; Tab comes back.
  w.console.Type("Up Tab Space Down \"x\" Down \"0\" Down Pad+ Pad- Pad+ Down");
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(bits, 0x000A);
  EXPECT_EQ(page->focus(), 3);  // Down on the last item went on to the button
  EXPECT_EQ(w.Seg(4, 3, 9), "[ ] jeden");
  EXPECT_EQ(w.Seg(5, 3, 7), "[■] dwa");
  EXPECT_EQ(w.screen().AttrAt(4, 5), 0x0F);  // the mark in [1]
}

TEST(CheckBoxGroupTest, MousePressTogglesTheItemUnderIt) {
  UiWorld w;
  auto page = MakePage(w);
  uint16_t bits = 0;
  page->Insert(std::make_unique<CheckBoxGroup>(nullptr, 2, 3, NewItem("a", NewItem("b")), &bits));
  w.console.Mouse(1, 4, 4);  // inner (3, 4): item 2
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(bits, 0x0002);
}

TEST(CheckBoxTest, XTogglesWhereTheGroupSets) {
  UiWorld w;
  auto page = MakePage(w);
  bool flag = true;
  page->Insert(std::make_unique<CheckBox>(nullptr, 2, 2, &flag, "Pole"));
  w.console.Type("\"x\" Space \"X\" Esc");
  page->Run();
  EXPECT_FALSE(flag);
}

TEST(RadioGroupTest, OutOfRangeIndexStartsAtTheFirstAndMovingDoesNotChoose) {
  UiWorld w;
  auto page = MakePage(w);
  uint16_t index = 7;
  page->Insert(std::make_unique<RadioGroup>(nullptr, 2, 2, NewItem("a", NewItem("b", NewItem("c"))), &index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(w.Seg(3, 3, 5), "(■) a");
  EXPECT_EQ(w.Seg(4, 3, 5), "(˙) b");
  w.console.Type("Down Down");
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(index, 0);
  w.console.Type("Down Down Space Up Esc");
  page->Run();
  EXPECT_EQ(index, 2);
  w.console.Mouse(1, 3, 3);  // inner row 2: item "b"
  w.console.Type("Esc");
  page->Run();
  EXPECT_EQ(index, 1);
}

TEST(PushButtonTest, DrawingFocusedAndNot) {
  UiWorld w;
  auto page = MakePage(w);
  Text s;
  page->Insert(std::make_unique<InputLine>(nullptr, 2, 1, 5, &s));
  page->Insert(std::make_unique<PushButton>(10, 4, 9, 1, "OK", cmd::kOk));
  // Not focused: face in [10] with the shadow in [1].
  EXPECT_EQ(w.Seg(5, 11, 10), "   OK    ▄");
  EXPECT_EQ(w.Seg(6, 11, 10), " ▀▀▀▀▀▀▀▀▀");
  EXPECT_EQ(w.screen().AttrAt(11, 5), 0x70);
  EXPECT_EQ(w.screen().AttrAt(20, 5), 0x0F);
  w.console.Type("Tab Enter");
  EXPECT_EQ(page->Run(), cmd::kOk);
  // Focused (the screen when Enter was read): shifted right, blinking pointers.
  const Screen& f = w.console.frames[1];
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(5).substr(10, 10)), " »  OK   «");
  EXPECT_EQ(f.AttrAt(11, 5), 0x02);
  EXPECT_EQ(f.AttrAt(12, 5), 0xF0);
  EXPECT_EQ(f.AttrAt(14, 5), 0x70);
  EXPECT_EQ(f.AttrAt(20, 5), 0xF0);
  EXPECT_EQ(Cp852GlyphsToUtf8(f.RowText(6).substr(10, 10)), "          ");
  EXPECT_EQ(f.AttrAt(11, 6), 0x02);
}

}  // namespace
}  // namespace qz
