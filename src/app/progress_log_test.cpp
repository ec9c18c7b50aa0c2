#include "app/progress_log.h"

#include <gtest/gtest.h>

#include "platform/headless_console.h"
#include "text/cp852.h"

namespace qz {
namespace {

class ProgressLogTest : public ::testing::Test {
 protected:
  Screen& screen() { return console.screen(); }
  std::string Row(int row) { return screen().RowUtf8(row); }

  VirtualClock clock;
  HeadlessConsole console{&clock};
  RunOptions options;
  ProgressLog log{console, clock, options};
};

TEST_F(ProgressLogTest, WriteIsCutAtColumn79) {
  log.Clear(true);
  log.Write(Text(80, 'x'));
  EXPECT_EQ(Row(1), std::string(79, 'x') + " ");
  EXPECT_EQ(log.column(), 80);
  log.Write("more");
  EXPECT_EQ(Row(1), std::string(79, 'x') + " ");
  EXPECT_EQ(log.ShadowRow(1), Text(79, 'x') + " ");
  EXPECT_EQ(screen().cursor_col(), 80);
  log.Line("");
  log.Write("next");  // never wraps: the next row starts at column 1
  EXPECT_EQ(Row(2).substr(0, 5), "next ");
}

TEST_F(ProgressLogTest, EachWriteHasItsOwnColour) {
  log.Clear(true);
  log.SetColour(8);
  log.Write("osoba: 1234");
  log.SetColour(12);
  log.Write("");  // an empty write keeps the colour for the next one
  log.Write("Kowalski"_cp);
  log.Write("!");
  EXPECT_EQ(Row(1).substr(0, 20), "osoba: 1234Kowalski!");
  EXPECT_EQ(screen().AttrAt(1, 1), 8);
  EXPECT_EQ(screen().AttrAt(11, 1), 8);
  EXPECT_EQ(screen().AttrAt(12, 1), 12);
  EXPECT_EQ(screen().AttrAt(19, 1), 12);
  EXPECT_EQ(screen().AttrAt(20, 1), 7);
  EXPECT_EQ(screen().cursor_col(), 21);
  EXPECT_EQ(screen().cursor_row(), 1);
}

TEST_F(ProgressLogTest, AreaScrollsAtThe21stLine) {
  log.SetColour(10);
  log.Clear(true);
  log.Line("header");
  log.Line("rule");
  log.Clear(false);
  EXPECT_EQ(log.row(), 3);
  for (int i = 1; i <= 20; ++i) {
    log.SetColour(12);
    log.Line("line " + std::to_string(i));
  }
  EXPECT_EQ(Row(3).substr(0, 7), "line 1 ");
  EXPECT_EQ(Row(22).substr(0, 8), "line 20 ");
  EXPECT_EQ(log.row(), 23);
  log.SetColour(12);
  log.Line("line 21");
  EXPECT_EQ(Row(1).substr(0, 7), "header ");  // rows 1 and 2 stay
  EXPECT_EQ(Row(2).substr(0, 5), "rule ");
  EXPECT_EQ(Row(3).substr(0, 7), "line 2 ");  // the first line is gone
  EXPECT_EQ(Row(22).substr(0, 8), "line 21 ");
  EXPECT_EQ(Row(23), std::string(80, ' '));
  EXPECT_EQ(Row(24), std::string(80, ' '));
  EXPECT_EQ(log.row(), 23);
  EXPECT_EQ(screen().AttrAt(1, 22), 7);  // moved lines lose their colours
  log.Line("line 22");
  EXPECT_EQ(Row(22).substr(0, 8), "line 22 ");
  EXPECT_EQ(Row(21).substr(0, 8), "line 21 ");
}

TEST_F(ProgressLogTest, ScrollingShowsTheShadowWhateverWasDrawnBetweenLines) {
  log.Clear(true);
  log.Line("header");
  log.Line("rule");
  // Plain lines, then a window drawn over the area, then a coloured word,
  // then plain lines again: every scroll leaves rows 3 to 24 showing
  // exactly the shadow in the normal colour.
  for (int i = 1; i <= 60; ++i) {
    if (i == 30) screen().Write(5, 10, "left by a window", 0x1F);
    if (i == 40) log.SetColour(12);
    log.Write("line ");
    log.Line(std::to_string(i));
    for (int row = 3; row <= 24; ++row) {
      ASSERT_EQ(screen().RowText(row), log.ShadowRow(row)) << "line " << i << ", row " << row;
      if (i >= 23) {
        for (int col = 1; col <= 80; ++col) ASSERT_EQ(screen().AttrAt(col, row), 7);
      }
    }
  }
  EXPECT_EQ(Row(22).substr(0, 8), "line 60 ");
  EXPECT_EQ(Row(1).substr(0, 7), "header ");
}

TEST_F(ProgressLogTest, ClearBelowTheHeaderKeepsItsCharacters) {
  log.Clear(true);
  log.SetColour(10);
  log.Line("header");
  log.Line("x");
  log.Line("y");
  screen().Write(1, 24, "left by a window", 0x1F);
  log.Clear(false);
  EXPECT_EQ(Row(1).substr(0, 7), "header ");
  EXPECT_EQ(screen().AttrAt(1, 1), 7);  // redrawn in the normal colour
  EXPECT_EQ(Row(3), std::string(80, ' '));
  EXPECT_EQ(Row(24), std::string(80, ' '));
  log.Line("first");
  EXPECT_EQ(Row(3).substr(0, 6), "first ");
  log.Clear(true);
  EXPECT_EQ(Row(1), std::string(80, ' '));
  EXPECT_EQ(log.row(), 1);
}

TEST_F(ProgressLogTest, NormalColourComesFromTheColourSet) {
  log.SetNormalColour(0x17);
  log.Clear(true);
  log.SetColour(12);
  log.Write("a");
  log.Write("b");
  EXPECT_EQ(screen().AttrAt(1, 1), 12);
  EXPECT_EQ(screen().AttrAt(2, 1), 0x17);
  EXPECT_EQ(screen().AttrAt(40, 10), 0x17);
}

TEST_F(ProgressLogTest, WaitKeyDropsKeysTypedAhead) {
  console.TypeAhead("click(3,3) \"t\" \"a\" F1");
  EXPECT_EQ(log.WaitKey(), 't');
  EXPECT_EQ(console.pending(), 0u);
  EXPECT_EQ(screen().cursor_shape(), CursorShape::kHidden);
  console.Type("F5");
  EXPECT_EQ(log.WaitKey(), 0);
  EXPECT_THROW(log.WaitKey(), ScriptExhausted);
}

TEST_F(ProgressLogTest, SlowPauseSleepsOnlyInSlowMode) {
  log.SlowPause();
  EXPECT_EQ(clock.slept_ms(), 0u);
  options.slow_mode = true;
  log.SlowPause();
  EXPECT_EQ(clock.slept_ms(), 1000u);
}

}  // namespace
}  // namespace qz
