#include "ui/page_control.h"

#include "ui/dialog_page.h"
#include "ui/ui.h"

namespace qz {

TextLabel::TextLabel(int x, int y, const Text& text) : x_(x), y_(y), text_(text.substr(0, 80)) {}

bool TextLabel::Contains(int col, int row) const {
  return row == y_ && col >= x_ && col < x_ + static_cast<int>(text_.size());
}

std::unique_ptr<TextLabel> NewLabel(int x, int y, const Text& text) {
  if (text.empty()) return nullptr;
  return std::make_unique<TextLabel>(x, y, text);
}

PageControl::PageControl(Kind kind, std::unique_ptr<TextLabel> label, int x1, int y1, int x2,
                         int y2)
    : x1_(x1), y1_(y1), x2_(x2), y2_(y2), kind_(kind), label_(std::move(label)) {}

PageControl::~PageControl() = default;

bool PageControl::Contains(int col, int row) const {
  return col >= x1_ && col < x2_ && row >= y1_ && row < y2_;
}

bool PageControl::LabelContains(int col, int row) const {
  return label_ != nullptr && label_->Contains(col, row);
}

Ui& PageControl::ui() const { return owner_->ui(); }

void PageControl::WriteAt(uint8_t attr, int x, int y, TextView text) const {
  if (owner_ != nullptr) owner_->WriteAt(attr, x, y, text);
}

void PageControl::PlaceCursor(int x, int y) const {
  if (owner_ != nullptr) ui().PlaceCursor(owner_->window(), x, y);
}

void PageControl::DrawLabel() const {
  if (label_ == nullptr || owner_ == nullptr) return;
  WriteAt(ui().label_pair().For(focused_), label_->x(), label_->y(), label_->text());
}

void PageControl::ReadEvent(UiEvent* event, bool show_cursor) const {
  Ui& u = ui();
  if (show_cursor) {
    u.CursorForInput();
  } else {
    u.CursorHidden();
  }
  u.GetEvent(event);
  if (event->IsLeftPress() && LabelContains(PressColumn(*event), PressRow(*event))) {
    u.Beep(4000, 2);
    ClearEvent(event);
  }
  u.CursorHidden();
}

int PageControl::PressColumn(const UiEvent& event) const {
  const Window* w = owner_ != nullptr ? owner_->window() : nullptr;
  return w == nullptr ? event.column : event.column - w->inner_x1() + 1;
}

int PageControl::PressRow(const UiEvent& event) const {
  const Window* w = owner_ != nullptr ? owner_->window() : nullptr;
  return w == nullptr ? event.row : event.row - w->inner_y1() + 1;
}

}  // namespace qz
