#ifndef QZ_PLATFORM_SCREEN_H_
#define QZ_PLATFORM_SCREEN_H_

#include <array>
#include <cstdint>
#include <string>

#include "text/text.h"

namespace qz {

/// One character cell: a CP852 byte and a PC text attribute
/// (background * 16 + foreground, bit 7 = blink).
struct Cell {
  uint8_t ch = ' ';
  uint8_t attr = 0x07;
  bool operator==(const Cell&) const = default;
};

enum class CursorShape : uint8_t { kHidden, kSmall, kHalf };

/// The program's 80 x 25 text screen. Every drawing goes here; a console
/// backend presents it. Columns and rows are 1-based; writes are clipped to
/// the screen.
class Screen {
 public:
  static constexpr int kCols = 80;
  static constexpr int kRows = 25;

  Screen();

  const Cell& At(int col, int row) const;
  void Set(int col, int row, Cell cell);
  /// Writes `text` from (col, row) in `attr`, cut at the end of the row.
  void Write(int col, int row, TextView text, uint8_t attr);
  /// Writes `text` keeping the attributes already on the screen.
  void WriteKeepAttr(int col, int row, TextView text);
  /// Fills the rectangle with `cell`.
  void Fill(int col1, int row1, int col2, int row2, Cell cell);
  /// Moves the rows of the rectangle up by one, blanking its last row.
  void ScrollUp(int col1, int row1, int col2, int row2, uint8_t attr);
  void ScrollDown(int col1, int row1, int col2, int row2, uint8_t attr);

  /// Row `row` as CP852 bytes (80 characters).
  Text RowText(int row) const;
  /// Row `row` as UTF-8, with the glyphs the PC screen shows.
  std::string RowUtf8(int row) const;
  /// The whole screen as 25 UTF-8 lines, each ended by "\n".
  std::string Dump() const;
  uint8_t AttrAt(int col, int row) const { return At(col, row).attr; }

  void SetCursor(int col, int row);
  int cursor_col() const { return cursor_col_; }
  int cursor_row() const { return cursor_row_; }
  void SetCursorShape(CursorShape shape);
  CursorShape cursor_shape() const { return cursor_shape_; }
  void SetTitle(const Text& title);
  const Text& title() const { return title_; }

  /// Grows whenever anything visible changes; backends compare it to know
  /// whether a frame is due.
  uint64_t generation() const { return generation_; }

 private:
  std::array<Cell, kCols * kRows> cells_{};
  int cursor_col_ = 1, cursor_row_ = 1;
  CursorShape cursor_shape_ = CursorShape::kSmall;
  Text title_;
  uint64_t generation_ = 0;
};

}  // namespace qz

#endif  // QZ_PLATFORM_SCREEN_H_
