#include "platform/screen.h"

#include <gtest/gtest.h>

#include "text/cp852.h"

namespace qz {
namespace {

TEST(ScreenTest, WritesAreCutAtTheScreenEdges) {
  Screen s;
  s.Write(78, 1, "abcdef", 0x1E);
  EXPECT_EQ(s.RowText(1).substr(77), "abc");
  EXPECT_EQ(s.AttrAt(80, 1), 0x1E);
  s.Write(-1, 2, "xyz", 0x07);  // starts left of the screen: only "z" shows
  EXPECT_EQ(s.RowText(2).substr(0, 2), "z ");
  s.Write(1, 26, "gone", 0x07);
  s.Write(1, 3, "Łódź"_cp, 0x0A);
  EXPECT_EQ(s.RowUtf8(3).substr(0, 7), "Łódź");
  s.WriteKeepAttr(1, 3, "ab");
  EXPECT_EQ(s.At(1, 3), (Cell{'a', 0x0A}));
  EXPECT_THROW(s.At(81, 1), std::out_of_range);
}

TEST(ScreenTest, FillAndScrollTouchOnlyTheVisiblePartOfTheRectangle) {
  Screen s;
  // Entirely off the screen: nothing changes (not the nearest edge column).
  s.Fill(81, 1, 90, 25, Cell{'#', 0x70});
  s.Fill(-5, 1, 0, 25, Cell{'#', 0x70});
  s.ScrollDown(0, 0, 0, 30, 0x07);
  EXPECT_EQ(s.At(80, 1).ch, ' ');
  EXPECT_EQ(s.At(1, 1).ch, ' ');
  s.Fill(79, 24, 200, 200, Cell{'#', 0x70});
  EXPECT_EQ(s.At(80, 25), (Cell{'#', 0x70}));
  EXPECT_EQ(s.At(78, 25).ch, ' ');

  Screen t;
  for (int r = 1; r <= 4; ++r) t.Write(1, r, std::string(1, char('0' + r)), 0x07);
  t.ScrollUp(1, 2, 80, 4, 0x1F);
  EXPECT_EQ(t.RowText(1)[0], '1');
  EXPECT_EQ(t.RowText(2)[0], '3');
  EXPECT_EQ(t.RowText(3)[0], '4');
  EXPECT_EQ(t.At(1, 4), (Cell{' ', 0x1F}));
  t.ScrollDown(1, 1, 80, 3, 0x07);
  EXPECT_EQ(t.RowText(1)[0], ' ');
  EXPECT_EQ(t.RowText(2)[0], '1');
  EXPECT_EQ(t.RowText(3)[0], '3');
}

TEST(ScreenTest, GenerationGrowsOnlyOnVisibleChanges) {
  Screen s;
  uint64_t g = s.generation();
  s.Write(1, 1, " ", 0x07);  // same as what is there
  s.SetCursor(1, 1);
  s.SetCursor(-3, 0);  // clamped to where it already is
  EXPECT_EQ(s.generation(), g);
  s.SetCursor(5, 5);
  s.Write(1, 1, "x", 0x07);
  s.SetTitle("t");
  EXPECT_EQ(s.generation(), g + 3);
  EXPECT_EQ(s.cursor_col(), 5);
}

}  // namespace
}  // namespace qz
