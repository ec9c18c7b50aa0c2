#include "ui/ui.h"

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "support/test_env.h"
#include "support/ui_world.h"
#include "text/cp852.h"
#include "ui/hint_bar.h"
#include "ui/switches.h"
#include "ui/wait_box.h"

namespace qz {
namespace {

UiEvent NextEvent(UiWorld& w) {
  UiEvent e;
  w.ui.GetEvent(&e);
  return e;
}

TEST(UiEventTest, AltLettersGivePolishLettersWithTheCapitalRules) {
  struct Case {
    uint16_t code;
    uint8_t shift_state;
    uint8_t expected;
  };
  const Case cases[] = {
      {0x1E00, 0x28, 0xA5},  // Alt, Num Lock: ą
      {0x1E00, 0x2B, 0xA4},  // Alt + Shift, Num Lock: Ą
      {0x1E00, 0x0B, 0xA5},  // Alt + Shift without Num Lock
      {0x1E00, 0x68, 0xA4},  // Alt, Caps Lock and Num Lock
      {0x1E00, 0x48, 0xA5},  // Alt, Caps Lock without Num Lock
      {0x2600, 0x2B, 0x9D},  {0x2D00, 0x28, 0xAB}, {0x2C00, 0x2B, 0xBD},  // Ł ź Ż
      {0x1800, 0x68, 0xE0},  {0x1900, 0x2B, 0x15}, {0x1900, 0x28, 0x15},  // Ó § §
  };
  for (const Case& c : cases) {
    UiWorld w;
    w.console.Key(c.code, c.shift_state);
    UiEvent e = NextEvent(w);
    EXPECT_EQ(e.what, UiEvent::kKey);
    EXPECT_EQ(e.extended, 0) << std::hex << c.code;
    EXPECT_EQ(e.ch, c.expected)
        << std::hex << c.code << " shift " << int(c.shift_state);
    EXPECT_EQ(e.key_code, c.code);
  }
}

TEST(UiEventTest, KeyRewritesAndPaste) {
  struct Case {
    uint16_t code;
    uint8_t shift_state;
    uint16_t expected;
    uint8_t extended;
  };
  const Case cases[] = {
      {0x1709, 0x20, key::kIns, 1},    {0x1011, 0x20, key::kEsc, 0},
      {key::kIns, 0x23, key::kPaste, 1},  // Shift with Num Lock: paste
      {key::kIns, 0x03, key::kIns, 1},    // Shift without Num Lock: plain Ins
      {key::kIns, 0x27, key::kIns, 1},    // Ctrl as well: not paste
      {key::kF1, 0x20, key::kF1, 1},      {0x1E61, 0x20, 0x1E61, 0},
  };
  for (const Case& c : cases) {
    UiWorld w;
    w.console.Key(c.code, c.shift_state);
    UiEvent e = NextEvent(w);
    EXPECT_EQ(e.key_code, c.expected) << std::hex << c.code;
    EXPECT_EQ(e.extended, c.extended) << std::hex << c.code;
    EXPECT_EQ(e.ch, c.extended ? ' ' : (c.expected & 0xFF));
  }
}

TEST(UiEventTest, PasteTakesTheSystemClipboardIntoTheUiClipboard) {
  UiWorld w;
  w.console.SetClipboard(Text(200, 'q'));
  w.console.Key(key::kIns, 0x03);
  NextEvent(w);
  EXPECT_EQ(w.ui.clipboard(), "");
  w.console.Key(key::kIns, 0x23);
  NextEvent(w);
  EXPECT_EQ(w.ui.clipboard(), Text(128, 'q'));
}

TEST(UiEventTest, MousePresses) {
  UiWorld w;
  // A burst that has arrived at once.
  w.console.Mouse(0, 10, 10, true);  // a move: ignored
  w.console.Mouse(1, 4, 2, true);
  w.console.Mouse(1, 30, 3, true);   // the rest of the burst: dropped
  w.console.Mouse(2, 30, 3, true);
  w.console.TypeAhead("a");          // a key after it survives
  w.console.Mouse(1, 0, 0);    // top-left cells: Esc
  w.console.Type("b");
  w.console.Mouse(2, 1, 0);
  w.console.Type("b");
  w.console.Mouse(1, 2, 0);    // column 3 is an ordinary press

  UiEvent e = NextEvent(w);
  EXPECT_EQ(e.what, UiEvent::kMouse);
  EXPECT_EQ(e.buttons, 1);
  EXPECT_EQ(e.column, 5);
  EXPECT_EQ(e.row, 3);
  EXPECT_EQ(e.window_column, 5);
  EXPECT_EQ(e.window_row, 3);
  EXPECT_TRUE(NextEvent(w).IsKey(0x1E61));
  EXPECT_TRUE(NextEvent(w).IsKey(key::kEsc));
  NextEvent(w);
  EXPECT_TRUE(NextEvent(w).IsKey(key::kEsc));
  NextEvent(w);
  e = NextEvent(w);
  EXPECT_EQ(e.what, UiEvent::kMouse);
  EXPECT_EQ(e.column, 3);
  EXPECT_EQ(e.row, 1);
}

TEST(UiEventTest, MousePositionRelativeToTheCurrentWindow) {
  UiWorld w;
  ASSERT_NE(w.ui.OpenBox("", 0x0F, 0x07, 0x02, true, 10, 5, 30, 15), nullptr);
  w.console.Mouse(1, 10, 5);  // screen (11, 6): first inner cell
  UiEvent e = NextEvent(w);
  EXPECT_EQ(e.window_column, 1);
  EXPECT_EQ(e.window_row, 1);
}

TEST(UiEventTest, ClockRunsWhileIdle) {
  UiWorld w;
  w.console.idle_polls = 20;  // 20 x 64 ms
  w.console.Type("a");
  NextEvent(w);
  EXPECT_EQ(w.Seg(1, 73, 8), "10:00:01");
  EXPECT_EQ(w.screen().AttrAt(73, 1), 0x0F);
}

TEST(HintBarTest, ItemsGiveTheirCommandsByKeyAndByMouse) {
  UiWorld w;
  HintBar bar(w.ui, NewHint("F5 - dalej", key::kF5, 0x1001, NewHint("Esc - wyjście"_cp, key::kEsc, 0x1004)));
  EXPECT_EQ(w.Seg(25, 1, 30), " F5 - dalej│Esc - wyjście│    ");
  EXPECT_EQ(w.screen().AttrAt(1, 25), 0x70);
  w.console.Type("F5 Esc F6");
  w.console.Mouse(1, 1, 24);   // column 2: "F"
  w.console.Type("F6");
  w.console.Mouse(1, 11, 24);  // column 12: the "│" after the first item
  w.console.Type("F6");
  w.console.Mouse(1, 12, 24);  // column 13: "E" of the second item
  UiEvent e = NextEvent(w);
  EXPECT_EQ(e.what, UiEvent::kCommand);
  EXPECT_EQ(e.command, 0x1001);
  EXPECT_EQ(NextEvent(w).command, 0x1004);
  EXPECT_TRUE(NextEvent(w).IsKey(key::kF6));
  EXPECT_EQ(NextEvent(w).command, 0x1001);
  NextEvent(w);
  e = NextEvent(w);
  EXPECT_EQ(e.what, UiEvent::kMouse);
  NextEvent(w);
  EXPECT_EQ(NextEvent(w).command, 0x1004);
}

TEST(HintBarTest, StackedBarsComeBackInTurn) {
  UiWorld w;
  auto first = std::make_unique<HintBar>(w.ui, NewHint("pierwszy", 0, 0));
  auto second = std::make_unique<HintBar>(w.ui, NewHint("drugi", 0, 0));
  EXPECT_EQ(w.Seg(25, 1, 8), " drugi│ ");
  second->Close();
  EXPECT_EQ(w.Seg(25, 1, 11), " pierwszy│ ");
  EXPECT_EQ(w.ui.current_hint(), first.get());
  first->Close();
  EXPECT_EQ(w.Row(25), std::string(80, ' '));
  EXPECT_EQ(w.ui.current_hint(), nullptr);

  // A bar closed beneath another one is skipped when the upper one closes.
  auto lower = std::make_unique<HintBar>(w.ui, NewHint("dolny", 0, 0));
  auto upper = std::make_unique<HintBar>(w.ui, NewHint("górny"_cp, 0, 0));
  lower.reset();
  upper->Close();
  EXPECT_EQ(w.ui.current_hint(), nullptr);
  EXPECT_EQ(w.Row(25), std::string(80, ' '));
}

TEST(ColoursTest, ColoursFile) {
  const ColourSet defaults;
  const std::string valid = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B";
  struct Case {
    const char* name;
    bool present;
    std::string bytes;
    bool loaded;
  };
  const Case cases[] = {
      {"missing", false, "", false},
      {"short", true, "\x01\x02\x03\x04\x05", false},
      {"all zero", true, std::string(11, '\0'), false},
      {"first four zero", true, std::string(4, '\0') + "\x05\x06\x07\x08\x09\x0A\x0B", false},
      {"valid", true, valid, true},
      {"only the first byte set", true, "\x1E" + std::string(10, '\0'), true},
  };
  for (const Case& c : cases) {
    TestEnv env;
    if (c.present) env.WriteFile("KOLORY.QZ", c.bytes);
    env.ctx.ui.LoadColours(env.dir.path(), env.ctx.log);
    const ColourSet& got = env.ctx.ui.colours();
    if (!c.loaded) {
      EXPECT_EQ(got, defaults) << c.name;
    } else {
      for (int i = 0; i < ColourSet::kCount; ++i) {
        EXPECT_EQ(got[i], static_cast<uint8_t>(c.bytes[static_cast<std::size_t>(i)])) << c.name;
      }
    }
    EXPECT_EQ(env.ctx.log.normal_colour(), got[0]) << c.name;
    EXPECT_EQ(env.ctx.ui.label_pair().normal, got[0]);
    EXPECT_EQ(env.ctx.ui.label_pair().focused, got[1]);
    EXPECT_EQ(env.ctx.ui.input_pair().normal, got[2]);
    EXPECT_EQ(env.ctx.ui.input_pair().focused, got[3]);
  }
}

TEST(ColoursTest, UnreadableFileLeavesTheDefaults) {
  TestEnv env;
  env.WriteFile("kolory.qz", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B");
  env.fs.FailNth(FsOp::kRead, 1, dos::kReadFault);
  env.ctx.ui.LoadColours(env.dir.path(), env.ctx.log);
  EXPECT_EQ(env.ctx.ui.colours(), ColourSet{});
}

TEST(WindowTest, FramedWindowWritesInsideAndRestoresWhatItCovered) {
  UiWorld w;
  w.screen().Write(1, 5, Text(80, 'x'), 0x07);
  Window* win = w.ui.OpenBox("Tytul", 0x0F, 0x07, 0x02, true, 10, 4, 21, 7);
  ASSERT_NE(win, nullptr);
  EXPECT_EQ(w.Seg(4, 10, 12), "┌──Tytul───┐");
  EXPECT_EQ(w.Seg(5, 10, 12), "│          │");
  EXPECT_EQ(w.Seg(7, 10, 12), "└──────────┘");
  EXPECT_EQ(w.screen().AttrAt(13, 4), 0x0F);
  w.ui.WriteAt(0x1F, 3, 1, "abcdefghijkl");  // cut at the right edge
  w.ui.WriteAt(0x1F, 1, 3, "below");         // the inner area has 2 rows
  EXPECT_EQ(w.Seg(5, 10, 12), "│  abcdefgh│");
  EXPECT_EQ(w.screen().AttrAt(13, 5), 0x1F);
  EXPECT_EQ(w.Seg(7, 10, 12), "└──────────┘");
  EXPECT_EQ(w.screen().cursor_shape(), CursorShape::kHidden);

  w.ui.CloseBox(win);
  EXPECT_EQ(w.Row(5), std::string(80, 'x'));
  EXPECT_EQ(w.ui.current_window(), nullptr);
  w.ui.WriteAt(0x07, 1, 5, "abs");  // no window: absolute
  EXPECT_EQ(w.Row(5).substr(0, 4), "absx");
}

TEST(WindowTest, WindowsStackAndOffScreenOnesFail) {
  UiWorld w;
  Window* a = w.ui.OpenBox("", 0, 7, 7, true, 1, 1, 40, 20);
  Window* b = w.ui.OpenBox("", 0, 7, 7, false, 5, 5, 10, 10);
  EXPECT_EQ(w.ui.current_window(), b);
  EXPECT_EQ(w.ui.OpenBox("", 0, 7, 7, true, 70, 20, 81, 25), nullptr);
  EXPECT_EQ(w.ui.OpenBox("", 0, 7, 7, true, 0, 1, 10, 5), nullptr);
  EXPECT_EQ(w.ui.current_window(), b);
  w.ui.CloseBox(b);
  EXPECT_EQ(w.ui.current_window(), a);
}

TEST(WaitBoxTest, BarStepsResetsAndStopsAtTheMaximum) {
  UiWorld w;
  Screen before = w.screen();
  auto box = WaitBox::Open(w.ui, 10, "", "Postep");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(w.Seg(8, 19, 39), "┌───────────────Postep────────────────┐");
  EXPECT_EQ(w.Seg(10, 19, 16), "│   Czekaj ...  ");
  EXPECT_EQ(w.screen().AttrAt(23, 10), 0x70);
  EXPECT_EQ(w.screen().RowText(12).substr(20, 35), Text(35, '\xB0'));
  box->Step(4);
  EXPECT_EQ(w.screen().RowText(12).substr(20, 35), Text(14, '\xDB') + Text(21, '\xB0'));
  EXPECT_EQ(w.Seg(14, 21, 8), "       4");
  EXPECT_EQ(w.screen().AttrAt(28, 14), 0x4F);
  box->Step(100);
  EXPECT_EQ(box->current(), 10u);
  EXPECT_EQ(w.screen().RowText(12).substr(20, 35), Text(35, '\xDB'));
  EXPECT_EQ(w.Seg(14, 21, 8), "      10");
  box->Reset();
  EXPECT_EQ(box->current(), 0u);
  EXPECT_EQ(w.screen().RowText(12).substr(20, 35), Text(35, '\xB1'));
  box->Close();
  EXPECT_EQ(w.screen().Dump(), before.Dump());
}

TEST(WaitBoxTest, LargeMaximumDoesNotOverflowAndZeroMaximumIsOne) {
  UiWorld w;
  auto big = WaitBox::Open(w.ui, 4000000000u, "x", "");
  big->Step(3000000000u);
  big->Step(3000000000u);
  EXPECT_EQ(big->current(), 4000000000u);
  EXPECT_EQ(w.screen().RowText(12).substr(20, 35), Text(35, '\xDB'));
  big->Close();
  auto zero = WaitBox::Open(w.ui, 0, "x", "");
  EXPECT_EQ(zero->maximum(), 1u);
}

TEST(SwitchTest, FindSwitchAndSwitchValue) {
  ProcessInfo p;
  p.args = {"/kprspis:PROGRAM", "/kprspis:A.DAT", "-Tryb", "kolor=1"};
  struct Case {
    int mode;
    const char* name;
    bool found;
    int position;
    const char* value;
  };
  const Case cases[] = {
      {1, "/kprspis:", true, 1, "A.DAT"}, {1, "-KPRSPIS:", true, 1, "A.DAT"},
      {0, "KPRSPIS:", false, -1, ""},     {0, "kprspis:", true, 1, "A.DAT"},
      {0, "/Tryb", true, 2, ""},          {0, "tryb", false, -1, ""},
      {1, "tryb", true, 2, ""},           {1, "/kolor=", true, 3, "1"},
      {1, "brak", false, -1, ""},
  };
  for (const Case& c : cases) {
    int position = 99;
    EXPECT_EQ(FindSwitch(p, c.mode, c.name, &position), c.found) << c.name;
    EXPECT_EQ(position, c.position) << c.name;
    EXPECT_EQ(SwitchValue(p, c.mode, c.name), c.value) << c.name;
  }
}

TEST(SoundTest, OnlyExactlyOffSilences) {
  struct Case {
    const char* value;
    bool set;
    bool off;
  };
  const Case cases[] = {{"OFF", true, true}, {"off", true, false}, {"OFF ", true, false},
                        {"", false, false}};
  for (const Case& c : cases) {
    UiWorld w;
    if (c.set) w.process.env["QZSOUND"] = c.value;
    w.ui.ReadSoundSwitch();
    EXPECT_EQ(w.ui.sound_off(), c.off) << c.value;
    w.ui.ErrorBeep();
    EXPECT_EQ(w.console.beeps().size(), c.off ? 0u : 1u) << c.value;
  }
  UiWorld w;
  w.ui.Beep(4000, 2);
  EXPECT_EQ(w.clock.slept_ms(), 96u);
}

TEST(TextWindowTest, SaveAndRestore) {
  UiWorld w;
  auto saved = w.ui.SaveTextWindow(1, 3, 80, 24);
  EXPECT_EQ(saved, (std::array<uint8_t, 4>{1, 1, 80, 25}));
  w.console.Mouse(1, 4, 4);
  UiEvent e = NextEvent(w);
  EXPECT_EQ(e.window_row, 3);
  w.ui.RestoreTextWindow(saved);
  EXPECT_EQ(w.ui.text_window(), saved);
}

}  // namespace
}  // namespace qz
