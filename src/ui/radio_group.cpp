#include "ui/radio_group.h"

#include <algorithm>

#include "platform/keys.h"
#include "ui/ui.h"

namespace qz {

namespace {
constexpr uint8_t kChosen = 0xFE;    // small square
constexpr uint8_t kNotChosen = 0xFA;  // dot
}  // namespace

RadioGroup::RadioGroup(std::unique_ptr<TextLabel> label, int x, int y,
                       std::unique_ptr<ChoiceItem> items, uint16_t* index)
    : PageControl(kRadioGroup, std::move(label), x, y, x, y),
      items_(ItemTexts(items.get())),
      index_(index) {
  std::size_t width = 1;
  for (const Text& t : items_) width = std::max(width, t.size());
  x2_ = x + static_cast<int>(width) + 4;
  y2_ = y + static_cast<int>(items_.size());
  if (*index_ >= items_.size()) *index_ = 0;
  cursor_ = *index_;
}

void RadioGroup::Draw() {
  if (owner() == nullptr) return;
  DrawLabel();
  const ColourPair& pair = ui().label_pair();
  for (int k = 0; k < static_cast<int>(items_.size()); ++k) {
    int row = y1_ + k;
    WriteAt(pair.normal, x1_, row, "( ) ");
    WriteAt(pair.focused, x1_ + 1, row,
            Text(1, static_cast<char>(*index_ == k ? kChosen : kNotChosen)));
    WriteAt(pair.For(focused_ && cursor_ == k), x1_ + 4, row, items_[static_cast<std::size_t>(k)]);
  }
}

void RadioGroup::Edit(UiEvent* event) {
  focused_ = true;
  for (;;) {
    Draw();
    PlaceCursor(x1_ + 1, y1_ + cursor_);
    ReadEvent(event, true);
    if (event->what == UiEvent::kNothing) continue;
    if (!Handle(event)) break;
  }
  focused_ = false;
  Draw();
}

bool RadioGroup::Handle(UiEvent* event) {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return false;
  if (event->what == UiEvent::kMouse) {
    int col = PressColumn(*event), row = PressRow(*event);
    if (!event->IsLeftPress() || !Contains(col, row)) return false;
    cursor_ = row - y1_;
    *index_ = static_cast<uint16_t>(cursor_);
    ClearEvent(event);
    return true;
  }
  if (event->what != UiEvent::kKey) return false;
  uint16_t code = event->key_code;
  if (code == key::kSpace || code == key::kPadPlus ||
      (event->extended == 0 && (event->ch == 'x' || event->ch == 'X'))) {
    *index_ = static_cast<uint16_t>(cursor_);
  } else if (code == key::kUp || code == key::kLeft) {
    if (cursor_ == 0) return false;
    --cursor_;
  } else if (code == key::kDown || code == key::kRight) {
    if (cursor_ == count - 1) return false;
    ++cursor_;
  } else {
    return false;
  }
  return true;
}

}  // namespace qz
