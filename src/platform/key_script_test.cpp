#include "platform/key_script.h"

#include <gtest/gtest.h>

#include "platform/headless_console.h"
#include "text/cp852.h"

namespace qz {
namespace {

KeyStroke Key(uint16_t code, uint8_t extra = 0) {
  return KeyStroke{code, static_cast<uint8_t>(shift::kNumLock | extra)};
}

TEST(KeysTest, NamedKeysGiveBiosCodes) {
  struct Case {
    const char* name;
    KeyStroke key;
  };
  const Case cases[] = {
      {"Enter", Key(key::kEnter)},
      {"esc", Key(key::kEsc)},
      {"Shift+Tab", Key(key::kShiftTab, shift::kShift)},
      {"F12", Key(key::kF12)},
      {"PgDn", Key(key::kPgDn)},
      {"Ctrl+W", Key(key::kCtrlW, shift::kCtrl)},
      {"Ctrl+T", Key(key::kCtrlT, shift::kCtrl)},
      {"Ctrl+Enter", Key(key::kCtrlEnter, shift::kCtrl)},
      {"Alt+A", Key(0x1E00, shift::kAlt)},
      {"Alt+1", Key(0x7800, shift::kAlt)},
      {"Alt+Shift+T", Key(0x1400, shift::kAlt | shift::kShift)},
      {"Shift+Ins", Key(key::kIns, shift::kShift)},
      {"Pad+", Key(key::kPadPlus)},
      {"Space", Key(key::kSpace)},
      {"t", Key(0x1474)},
      {"T", Key(0x1454, shift::kShift)},
      {"?", Key(0x353F, shift::kShift)},
  };
  for (const Case& c : cases) {
    auto k = NamedKey(c.name);
    ASSERT_TRUE(k.has_value()) << c.name;
    EXPECT_EQ(*k, c.key) << c.name << " gives " << std::hex << k->code;
  }
  EXPECT_FALSE(NamedKey("Hyper+X").has_value());
  EXPECT_FALSE(NamedKey("").has_value());
  // Polish letters come with scan code 0.
  EXPECT_EQ(CharKey(static_cast<uint8_t>("ł"_cp[0])), Key(static_cast<uint8_t>("ł"_cp[0])));
}

TEST(KeyScriptTest, ReadsKeysTextsAndClicks) {
  auto recs = ParseKeyScript(" Tab  \"a ł\\\"\" click(12,5) rclick(80,25) bclick(1,1) F5 ");
  ASSERT_EQ(recs.size(), 9u);
  EXPECT_EQ(recs[0].key, Key(key::kTab));
  EXPECT_EQ(recs[1].key.code & 0xFF, 'a');
  EXPECT_EQ(recs[2].key, Key(key::kSpace));
  EXPECT_EQ(recs[3].key.code, static_cast<uint8_t>("ł"_cp[0]));
  EXPECT_EQ(recs[4].key.code & 0xFF, '"');
  ASSERT_EQ(recs[5].kind, InputRecord::Kind::kMouse);
  EXPECT_EQ(recs[5].mouse.buttons, 1);
  EXPECT_EQ(recs[5].mouse.column, 11);
  EXPECT_EQ(recs[5].mouse.row, 4);
  EXPECT_EQ(recs[6].mouse.buttons, 2);
  EXPECT_EQ(recs[7].mouse.buttons, 3);
  EXPECT_EQ(recs[8].key, Key(key::kF5));
}

TEST(KeyScriptTest, RejectsBadWords) {
  for (const char* bad : {"Tab Foo", "\"open", "click(0,5)", "click(81,1)", "click(5x,2)",
                          "click(1;2)", "click(3,4"}) {
    EXPECT_THROW(ParseKeyScript(bad), KeyScriptError) << bad;
  }
}

TEST(HeadlessConsoleTest, QueuesScriptedInputAndThrowsWhenItRunsOut) {
  VirtualClock clock;
  HeadlessConsole c(&clock);
  c.Type("Enter \"x\"");
  EXPECT_EQ(c.pending(), 2u);
  // Scripted keys arrive one per wait, as typed by a user.
  InputRecord r;
  EXPECT_FALSE(c.InputPending());
  EXPECT_FALSE(c.ReadInput(&r));
  c.WaitForInput(100);
  ASSERT_TRUE(c.ReadInput(&r));
  EXPECT_EQ(r.key.code, key::kEnter);
  EXPECT_FALSE(c.ReadInput(&r));
  c.WaitForInput(100);
  c.WaitForInput(100);  // a second wait does not bring more than one key
  ASSERT_TRUE(c.ReadInput(&r));
  EXPECT_FALSE(c.InputPending());
  EXPECT_FALSE(c.ReadInput(&r));
  EXPECT_THROW(c.WaitForInput(100), ScriptExhausted);
  // Typed-ahead keys are there at once, before the ones still to come.
  c.Type("Tab");
  c.TypeAhead("Esc Enter");
  EXPECT_TRUE(c.InputPending());
  ASSERT_TRUE(c.ReadInput(&r));
  EXPECT_EQ(r.key.code, key::kEsc);
  ASSERT_TRUE(c.ReadInput(&r));
  EXPECT_EQ(r.key.code, key::kEnter);
  EXPECT_FALSE(c.ReadInput(&r));
  c.WaitForInput(100);
  ASSERT_TRUE(c.ReadInput(&r));
  EXPECT_EQ(r.key.code, key::kTab);
  c.Beep(1200, 30);
  EXPECT_EQ(c.beeps(), std::vector<int>{1200});
  EXPECT_EQ(clock.slept_ms(), 30u);
  c.SetClipboard("abc");
  EXPECT_EQ(c.Clipboard(), "abc");
  c.PrintLine("usage");
  EXPECT_EQ(c.printed(), std::vector<Text>{"usage"});
}

}  // namespace
}  // namespace qz
