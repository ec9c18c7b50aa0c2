#include "ui/window.h"

#include <algorithm>

namespace qz {

namespace {
constexpr uint8_t kTopLeft = 0xDA, kHorizontal = 0xC4, kTopRight = 0xBF, kVertical = 0xB3,
                  kBottomLeft = 0xC0, kBottomRight = 0xD9;
}  // namespace

Window::Window(const Text& title, WindowColours colours, bool framed, int x1, int y1, int x2,
               int y2)
    : title_(title), colours_(colours), framed_(framed), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

void Window::Draw(Screen& screen) const {
  screen.Fill(x1_, y1_, x2_, y2_, Cell{' ', colours_.text});
  if (!framed_) return;
  for (int c = x1_ + 1; c < x2_; ++c) {
    screen.Set(c, y1_, Cell{kHorizontal, colours_.frame});
    screen.Set(c, y2_, Cell{kHorizontal, colours_.frame});
  }
  for (int r = y1_ + 1; r < y2_; ++r) {
    screen.Set(x1_, r, Cell{kVertical, colours_.frame});
    screen.Set(x2_, r, Cell{kVertical, colours_.frame});
  }
  screen.Set(x1_, y1_, Cell{kTopLeft, colours_.frame});
  screen.Set(x2_, y1_, Cell{kTopRight, colours_.frame});
  screen.Set(x1_, y2_, Cell{kBottomLeft, colours_.frame});
  screen.Set(x2_, y2_, Cell{kBottomRight, colours_.frame});
  if (!title_.empty()) {
    int width = x2_ - x1_ + 1;
    Text shown = title_.substr(0, static_cast<std::size_t>(std::max(0, width - 2)));
    int col = x1_ + (width - static_cast<int>(shown.size())) / 2;
    screen.Write(col, y1_, shown, colours_.title);
  }
}

void Window::SaveUnder(const Screen& screen) {
  under_.clear();
  for (int r = y1_; r <= y2_; ++r) {
    for (int c = x1_; c <= x2_; ++c) under_.push_back(screen.At(c, r));
  }
}

void Window::RestoreUnder(Screen& screen) const {
  std::size_t i = 0;
  for (int r = y1_; r <= y2_; ++r) {
    for (int c = x1_; c <= x2_; ++c) {
      if (i < under_.size()) screen.Set(c, r, under_[i++]);
    }
  }
}

void Window::WriteAt(Screen& screen, int col, int row, TextView text, uint8_t attr,
                     bool keep_attr) const {
  if (row < 1 || row > inner_height() || col > inner_width()) return;
  if (col < 1) {
    std::size_t skip = static_cast<std::size_t>(1 - col);
    if (skip >= text.size()) return;
    text.remove_prefix(skip);
    col = 1;
  }
  std::size_t room = static_cast<std::size_t>(inner_width() - col + 1);
  if (text.size() > room) text = text.substr(0, room);
  int abs_col = inner_x1() + col - 1;
  int abs_row = inner_y1() + row - 1;
  if (keep_attr) {
    screen.WriteKeepAttr(abs_col, abs_row, text);
  } else {
    screen.Write(abs_col, abs_row, text, attr);
  }
}

}  // namespace qz
