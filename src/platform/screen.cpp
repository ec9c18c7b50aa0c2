#include "platform/screen.h"

#include <algorithm>
#include <stdexcept>

#include "text/cp852.h"

namespace qz {

namespace {
bool Inside(int col, int row) {
  return col >= 1 && col <= Screen::kCols && row >= 1 && row <= Screen::kRows;
}
int Index(int col, int row) { return (row - 1) * Screen::kCols + (col - 1); }
int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Cuts a rectangle to the screen; false when nothing of it is on the screen.
bool Clip(int* col1, int* row1, int* col2, int* row2) {
  *col1 = std::max(*col1, 1);
  *row1 = std::max(*row1, 1);
  *col2 = std::min(*col2, Screen::kCols);
  *row2 = std::min(*row2, Screen::kRows);
  return *col1 <= *col2 && *row1 <= *row2;
}
}  // namespace

Screen::Screen() { cells_.fill(Cell{}); }

const Cell& Screen::At(int col, int row) const {
  if (!Inside(col, row)) throw std::out_of_range("screen cell outside 80 x 25");
  return cells_[Index(col, row)];
}

void Screen::Set(int col, int row, Cell cell) {
  if (!Inside(col, row)) return;
  Cell& c = cells_[Index(col, row)];
  if (c != cell) {
    c = cell;
    ++generation_;
  }
}

void Screen::Write(int col, int row, TextView text, uint8_t attr) {
  if (row < 1 || row > kRows || col > kCols) return;
  // The progress log redraws its area with this after anything else drew
  // on it, so it runs for whole screens at a time: clip once, then store
  // the cells, noting whether any of them changed.
  std::size_t skip = col < 1 ? static_cast<std::size_t>(1 - static_cast<int64_t>(col)) : 0;
  if (skip >= text.size()) return;
  int first = col < 1 ? 1 : col;
  std::size_t n = std::min(text.size() - skip, static_cast<std::size_t>(kCols - first + 1));
  Cell* cells = &cells_[Index(first, row)];
  const char* chars = text.data() + skip;
  unsigned differ = 0;
  for (std::size_t i = 0; i < n; ++i) {
    auto ch = static_cast<uint8_t>(chars[i]);
    differ |= static_cast<unsigned>(cells[i].ch ^ ch) | static_cast<unsigned>(cells[i].attr ^ attr);
    cells[i].ch = ch;
    cells[i].attr = attr;
  }
  if (differ != 0) ++generation_;
}

void Screen::WriteKeepAttr(int col, int row, TextView text) {
  if (row < 1 || row > kRows) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int c = col + static_cast<int>(i);
    if (c > kCols) break;
    if (c >= 1) Set(c, row, Cell{static_cast<uint8_t>(text[i]), At(c, row).attr});
  }
}

void Screen::Fill(int col1, int row1, int col2, int row2, Cell cell) {
  if (!Clip(&col1, &row1, &col2, &row2)) return;
  // Blanks the new last row of every progress log scroll: a tight loop.
  bool changed = false;
  for (int r = row1; r <= row2; ++r) {
    Cell* cells = &cells_[Index(col1, r)];
    for (int i = 0; i <= col2 - col1; ++i) {
      changed = changed || cells[i] != cell;
      cells[i] = cell;
    }
  }
  if (changed) ++generation_;
}

void Screen::ScrollUp(int col1, int row1, int col2, int row2, uint8_t attr) {
  if (!Clip(&col1, &row1, &col2, &row2)) return;
  // Whole-row moves are the progress log's hot path: copy cells directly.
  for (int r = row1; r < row2; ++r) {
    std::copy(cells_.begin() + Index(col1, r + 1), cells_.begin() + Index(col2, r + 1) + 1,
              cells_.begin() + Index(col1, r));
  }
  ++generation_;
  Fill(col1, row2, col2, row2, Cell{' ', attr});
}

void Screen::ScrollDown(int col1, int row1, int col2, int row2, uint8_t attr) {
  if (!Clip(&col1, &row1, &col2, &row2)) return;
  for (int r = row2; r > row1; --r)
    for (int c = col1; c <= col2; ++c) Set(c, r, At(c, r - 1));
  Fill(col1, row1, col2, row1, Cell{' ', attr});
}

Text Screen::RowText(int row) const {
  Text out;
  out.reserve(kCols);
  for (int c = 1; c <= kCols; ++c) out.push_back(static_cast<char>(At(c, row).ch));
  return out;
}

std::string Screen::RowUtf8(int row) const { return Cp852GlyphsToUtf8(RowText(row)); }

std::string Screen::Dump() const {
  std::string out;
  for (int r = 1; r <= kRows; ++r) {
    out += RowUtf8(r);
    out += '\n';
  }
  return out;
}

void Screen::SetCursor(int col, int row) {
  col = Clamp(col, 1, kCols);
  row = Clamp(row, 1, kRows);
  if (col == cursor_col_ && row == cursor_row_) return;
  cursor_col_ = col;
  cursor_row_ = row;
  ++generation_;
}

void Screen::SetCursorShape(CursorShape shape) {
  if (shape == cursor_shape_) return;
  cursor_shape_ = shape;
  ++generation_;
}

void Screen::SetTitle(const Text& title) {
  if (title == title_) return;
  title_ = title;
  ++generation_;
}

}  // namespace qz
