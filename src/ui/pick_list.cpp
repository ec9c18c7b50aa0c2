#include "ui/pick_list.h"

#include <algorithm>

#include "platform/keys.h"
#include "text/format.h"
#include "text/polish.h"
#include "ui/dialog_page.h"
#include "ui/input_line.h"
#include "ui/ui.h"
#include "ui/window.h"

namespace qz {

namespace {

constexpr char kTopLeft = '\xDA', kTopRight = '\xBF', kBottomLeft = '\xC0',
               kBottomRight = '\xD9', kHorizontal = '\xC4', kVertical = '\xB3';
// Only this much of an item's text takes part in the search.
constexpr std::size_t kSearchedLength = 80;

}  // namespace

PickList::PickList(std::unique_ptr<TextLabel> label, int x, int y, int width, int rows,
                   int32_t* current)
    : PageControl(kPickList, std::move(label), x, y, x + width + 2, y + rows + 1),
      x_(x),
      y_(y),
      width_(std::max(width, 1)),
      rows_(std::max(rows, 1)),
      current_(current != nullptr ? current : &own_current_) {}

void PickList::AddSearchColumn(int column) {
  if (column < 1) return;
  for (int& slot : search_columns_) {
    if (slot == 0) {
      slot = column;
      return;
    }
  }
}

// ---- Drawing ----

void PickList::Draw() {
  if (owner() == nullptr) return;
  UpdateCount();
  visible_ = static_cast<int>(std::min<int32_t>(rows_, count_));
  if (*current_ < 1 || *current_ > count_) *current_ = 1;
  Recentre();
  DrawFrame();
  DrawRows();
  DrawLabel();
}

void PickList::Recentre() {
  if (visible_ >= count_) {
    top_ = 0;
  } else {
    top_ = std::clamp<int32_t>(*current_ - visible_ / 2, 0, count_ - visible_);
  }
  cursor_row_ = static_cast<int>(*current_ - top_);
}

void PickList::DrawItem(int row, int32_t index, bool highlighted) {
  const ColourPair& pair = ui().input_pair();
  WriteAt(pair.For(highlighted), x_ + 2, y_ + row,
          PadRight(static_cast<std::size_t>(width_), GetItemText(index)));
}

void PickList::DrawRows() {
  if (owner() == nullptr) return;
  UpdateCount();
  visible_ = static_cast<int>(std::min<int32_t>(rows_, count_));
  // The count may have shrunk since the last recentring.
  top_ = std::clamp<int32_t>(top_, 0, count_ - visible_);
  for (int r = 1; r <= visible_; ++r) DrawItem(r, top_ + r, top_ + r == *current_);
  for (int r = visible_ + 1; r <= rows_; ++r) {
    WriteAt(ui().colours()[5], x_ + 2, y_ + r, Spaces(width_));
  }
  DrawScrollMarks();
  DrawSearchLine();
}

void PickList::DrawFrame() {
  if (owner() == nullptr) return;
  uint8_t attr = ui().label_pair().For(focused_);
  WriteAt(attr, x_, y_, kTopLeft + Text(static_cast<std::size_t>(width_ + 2), kHorizontal) +
                            kTopRight);
  for (int r = 1; r <= rows_; ++r) {
    WriteAt(attr, x_, y_ + r, Text(1, kVertical));
    WriteAt(attr, x_ + width_ + 3, y_ + r, Text(1, kVertical));
  }
  DrawSearchLine();
  DrawScrollMarks();
}

void PickList::DrawScrollMarks() {
  if (owner() == nullptr) return;
  uint8_t attr = ui().label_pair().For(focused_);
  WriteAt(attr, x_ + width_, y_, Text(1, focused_ && top_ > 0 ? '^' : kHorizontal));
  WriteAt(attr, x_ + width_, y_ + rows_ + 1,
          Text(1, focused_ && visible_ + top_ < count_ ? 'v' : kHorizontal));
}

void PickList::DrawSearchLine() {
  if (owner() == nullptr) return;
  uint8_t attr = ui().label_pair().For(focused_);
  const int row = y_ + rows_ + 1;
  const int right = x_ + width_ + 3;  // the bottom right corner
  WriteAt(attr, x_, row,
          kBottomLeft + Text(static_cast<std::size_t>(width_ + 2), kHorizontal) + kBottomRight);
  const int col = x_ + search_column();
  if (col >= right) return;
  // The search text stays inside the frame; it never covers the corner.
  Text line = (focused_ ? Text(1, '>') : Text(1, kHorizontal)) + search_;
  line.resize(std::min<std::size_t>(line.size(), static_cast<std::size_t>(right - col)));
  WriteAt(attr, col, row, line);
  WriteAt(attr, x_ + width_, row,
          Text(1, focused_ && visible_ + top_ < count_ ? 'v' : kHorizontal));
}

// ---- Moving ----

void PickList::ScrollText(bool down) {
  const Window* w = owner()->window();
  if (w == nullptr) return;
  // Page-relative to screen cells.
  const int col1 = w->inner_x1() + x_, col2 = w->inner_x1() + x_ + width_;
  const int row1 = w->inner_y1() + y_, row2 = w->inner_y1() + y_ + rows_ - 1;
  uint8_t blank = ui().colours()[5];
  if (down) {
    ui().screen().ScrollDown(col1, row1, col2, row2, blank);
  } else {
    ui().screen().ScrollUp(col1, row1, col2, row2, blank);
  }
}

void PickList::LineUp() {
  if (*current_ <= 1 || *current_ > count_) return;
  DrawItem(cursor_row_, *current_, false);
  --*current_;
  if (cursor_row_ > 1) {
    --cursor_row_;
  } else {
    ScrollText(true);
    --top_;
  }
  DrawItem(cursor_row_, *current_, true);
}

void PickList::LineDown() {
  if (*current_ >= count_ || *current_ < 1) return;
  DrawItem(cursor_row_, *current_, false);
  ++*current_;
  if (cursor_row_ < visible_) {
    ++cursor_row_;
  } else {
    ScrollText(false);
    ++top_;
  }
  DrawItem(cursor_row_, *current_, true);
}

void PickList::PageUp() {
  if (count_ == 0) return;
  JumpTo(visible_ < *current_ ? *current_ - visible_ : 1);
}

void PickList::PageDown() {
  if (count_ == 0) return;
  JumpTo(*current_ + visible_ < count_ ? *current_ + visible_ : count_);
}

void PickList::JumpTo(int32_t item) {
  if (count_ == 0) return;
  *current_ = item;
  Recentre();
  DrawRows();
}

void PickList::MoveHighlightTo(int32_t item) {
  DrawItem(cursor_row_, *current_, false);
  *current_ = item;
  cursor_row_ = static_cast<int>(item - top_);
  DrawItem(cursor_row_, *current_, true);
}

// ---- Searching ----

void PickList::NextSearchColumn() {
  int slot = search_slot_;
  do {
    slot = (slot + 1) % kSearchSlots;
  } while (search_columns_[static_cast<std::size_t>(slot)] == 0 && slot != 0);
  search_slot_ = slot;
  DrawSearchLine();
}

void PickList::Search(bool fresh) {
  UpdateCount();
  const std::size_t from = static_cast<std::size_t>(search_column() - 1);
  for (int32_t i = fresh ? 1 : std::max<int32_t>(*current_, 1); i <= count_; ++i) {
    Text text = UpperPL(GetItemText(i).substr(0, kSearchedLength));
    TextView tail = from < text.size() ? TextView(text).substr(from) : TextView();
    if (tail.starts_with(search_)) {
      *current_ = i;
      Recentre();
      DrawRows();
      return;
    }
  }
  ui().Beep(1200, 2);
  ui().FlushKeys();
  search_.clear();
  DrawSearchLine();
}

// ---- Editing ----

bool PickList::HandleKey(UiEvent* event, bool* keep_search) {
  switch (event->key_code) {
    case key::kUp: LineUp(); return true;
    case key::kDown: LineDown(); return true;
    case key::kPgUp: PageUp(); return true;
    case key::kPgDn: PageDown(); return true;
    case key::kHome: JumpTo(1); return true;
    case key::kEnd: JumpTo(count_); return true;
    case key::kEnter: MakeCommand(event, pick_cmd::kSelect); return false;
    case key::kCtrlEnter: MakeCommand(event, pick_cmd::kCtrlEnter); return false;
    case key::kDel: MakeCommand(event, pick_cmd::kDelete); return false;
    case key::kIns: MakeCommand(event, pick_cmd::kInsert); return false;
    case key::kTab:
    case key::kShiftTab: NextSearchColumn(); return true;
    case key::kPadPlus: return false;
    default: break;
  }
  if (event->extended != 0 || !InputLine::Accepts(event->ch)) return false;
  if (search_.size() < static_cast<std::size_t>(kSearchMax)) {
    search_.push_back(static_cast<char>(UpCasePL(event->ch)));
  }
  *keep_search = true;
  Search(search_.size() == 1);
  return true;
}

bool PickList::HandleMouse(UiEvent* event) {
  if (!event->IsLeftPress()) return false;
  const int col = PressColumn(*event), row = PressRow(*event);
  if (col < x_ || col > x_ + width_ + 2 || row < y_ || row > y_ + rows_ + 1) return false;
  const int r = row - y_;
  if (r == 0) {
    PageUp();
  } else if (r <= visible_) {
    if (top_ + r == *current_) {
      MakeCommand(event, pick_cmd::kSelect);
      return false;
    }
    MoveHighlightTo(top_ + r);
  } else {
    PageDown();
  }
  ClearEvent(event);
  return true;
}

void PickList::Edit(UiEvent* event) {
  focused_ = true;
  DrawFrame();
  DrawLabel();
  for (;;) {
    bool keep_search = false;
    DrawScrollMarks();
    ReadEvent(event, false);
    bool go_on = true;
    if (event->what == UiEvent::kKey) {
      go_on = HandleKey(event, &keep_search);
    } else if (event->what == UiEvent::kMouse) {
      go_on = HandleMouse(event);
    } else if (event->what == UiEvent::kCommand) {
      go_on = false;
    }
    // Anything but a typed character starts the search afresh.
    if (!keep_search && !search_.empty()) {
      search_.clear();
      DrawSearchLine();
    }
    if (!go_on) break;
  }
  focused_ = false;
  DrawFrame();
  DrawLabel();
}

}  // namespace qz
