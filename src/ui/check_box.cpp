#include "ui/check_box.h"

#include <algorithm>

#include "platform/keys.h"
#include "ui/ui.h"

namespace qz {

namespace {

constexpr uint8_t kMark = 0xFE;  // small square
constexpr int kMaxItems = 16;

int LongestText(const std::vector<Text>& items) {
  std::size_t width = 1;
  for (const Text& t : items) width = std::max(width, t.size());
  return static_cast<int>(width);
}

std::vector<Text> GroupItems(const ChoiceItem* items) {
  std::vector<Text> texts = ItemTexts(items);
  if (texts.size() > kMaxItems) texts.resize(kMaxItems);
  return texts;
}

}  // namespace

CheckBoxGroup::CheckBoxGroup(std::unique_ptr<TextLabel> label, int x, int y,
                             std::unique_ptr<ChoiceItem> items, uint16_t* bits)
    : PageControl(kCheckBoxGroup, std::move(label), x, y, x, y),
      items_(GroupItems(items.get())),
      bits_(bits) {
  x2_ = x + LongestText(items_) + 4;
  y2_ = y + static_cast<int>(items_.size());
}

void CheckBoxGroup::Draw() {
  if (owner() == nullptr) return;
  DrawLabel();
  const ColourPair& pair = ui().label_pair();
  for (int i = 1; i <= item_count(); ++i) {
    int row = y1_ + i - 1;
    bool on = (*bits_ & (1u << (i - 1))) != 0;
    WriteAt(pair.normal, x1_, row, "[ ]");
    WriteAt(pair.focused, x1_ + 1, row, Text(1, on ? static_cast<char>(kMark) : ' '));
    WriteAt(pair.For(focused_ && i == cursor_), x1_ + 4, row, items_[static_cast<std::size_t>(i - 1)]);
  }
}

void CheckBoxGroup::Edit(UiEvent* event) {
  focused_ = true;
  if (cursor_ < 1 || cursor_ > item_count()) cursor_ = 1;
  for (;;) {
    Draw();
    PlaceCursor(x1_ + 1, y1_ + cursor_ - 1);
    ReadEvent(event, true);
    if (event->what == UiEvent::kNothing) continue;
    if (!Handle(event)) break;
  }
  focused_ = false;
  Draw();
}

bool CheckBoxGroup::Handle(UiEvent* event) {
  if (item_count() == 0) return false;
  uint16_t bit = static_cast<uint16_t>(1u << (cursor_ - 1));
  if (event->what == UiEvent::kMouse) {
    int col = PressColumn(*event), row = PressRow(*event);
    if (!event->IsLeftPress() || !Contains(col, row)) return false;
    int item = row - y1_ + 1;
    if (item >= 1 && item <= item_count()) {
      cursor_ = item;
      *bits_ ^= static_cast<uint16_t>(1u << (item - 1));
    }
    ClearEvent(event);
    return true;
  }
  if (event->what != UiEvent::kKey) return false;
  uint16_t code = event->key_code;
  if (code == key::kSpace) {
    *bits_ ^= bit;
  } else if (code == key::kPadPlus || (event->extended == 0 && (event->ch == 'x' || event->ch == 'X'))) {
    *bits_ |= bit;
  } else if (code == key::kPadMinus || (event->extended == 0 && event->ch == '0')) {
    *bits_ &= static_cast<uint16_t>(~bit);
  } else if (code == key::kUp || code == key::kLeft) {
    if (cursor_ == 1) return false;
    --cursor_;
  } else if (code == key::kDown || code == key::kRight) {
    if (cursor_ == item_count()) return false;
    ++cursor_;
  } else {
    return false;
  }
  return true;
}

CheckBox::CheckBox(std::unique_ptr<TextLabel> label, int x, int y, bool* flag, const Text& text)
    : PageControl(kCheckBox, std::move(label), x, y, x + static_cast<int>(text.size()) + 4, y + 1),
      flag_(flag),
      text_(text) {}

void CheckBox::Draw() {
  if (owner() == nullptr) return;
  DrawLabel();
  const ColourPair& pair = ui().label_pair();
  WriteAt(pair.normal, x1_, y1_, "[ ]");
  WriteAt(pair.focused, x1_ + 1, y1_, Text(1, *flag_ ? static_cast<char>(kMark) : ' '));
  WriteAt(pair.For(focused_), x1_ + 4, y1_, text_);
}

void CheckBox::Edit(UiEvent* event) {
  focused_ = true;
  for (;;) {
    Draw();
    PlaceCursor(x1_ + 1, y1_);
    ReadEvent(event, true);
    if (event->what == UiEvent::kNothing) continue;
    if (event->what == UiEvent::kMouse) {
      if (!event->IsLeftPress() || !Contains(PressColumn(*event), PressRow(*event))) break;
      *flag_ = !*flag_;
      ClearEvent(event);
      continue;
    }
    if (event->what == UiEvent::kKey &&
        (event->key_code == key::kSpace ||
         (event->extended == 0 && (event->ch == 'x' || event->ch == 'X')))) {
      *flag_ = !*flag_;
      continue;
    }
    break;
  }
  focused_ = false;
  Draw();
}

}  // namespace qz
