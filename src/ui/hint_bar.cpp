#include "ui/hint_bar.h"

#include "ui/ui.h"

namespace qz {

namespace {
constexpr std::size_t kItemTextMax = 40;
constexpr int kStatusRow = 25;
}  // namespace

std::unique_ptr<HintItem> NewHint(const Text& text, uint16_t key_code, uint16_t command,
                                  std::unique_ptr<HintItem> next) {
  auto item = std::make_unique<HintItem>();
  item->text = text.substr(0, kItemTextMax - 1) + "\xB3";
  item->key_code = key_code;
  item->command = command;
  item->next = std::move(next);
  return item;
}

HintBar::HintBar(Ui& ui, std::unique_ptr<HintItem> items)
    : ui_(ui), items_(std::move(items)), previous_(ui.current_hint()) {
  int col = 2;
  for (HintItem* item = items_.get(); item != nullptr; item = item->next.get()) {
    item->left = col;
    item->right = col + static_cast<int>(item->text.size()) - 2;
    col += static_cast<int>(item->text.size());
  }
  ui_.set_current_hint(this);
  Draw();
}

HintBar::~HintBar() { Close(); }

void HintBar::Draw() const {
  Screen& screen = ui_.screen();
  uint8_t attr = ui_.colours()[10];
  screen.Write(1, kStatusRow, Text(80, ' '), attr);
  for (const HintItem* item = items_.get(); item != nullptr; item = item->next.get()) {
    screen.Write(item->left, kStatusRow, item->text, attr);
  }
}

void HintBar::Close() {
  if (!open_) return;
  open_ = false;
  items_.reset();
  if (ui_.current_hint() == this) {
    ui_.set_current_hint(previous_);
    if (previous_ != nullptr) {
      previous_->Draw();
    } else {
      ui_.ClearStatusRow();
    }
    return;
  }
  // Closed beneath another bar: that bar now comes back to ours' predecessor.
  for (HintBar* bar = ui_.current_hint(); bar != nullptr; bar = bar->previous_) {
    if (bar->previous_ == this) {
      bar->previous_ = previous_;
      break;
    }
  }
}

uint16_t HintBar::CommandForKey(uint16_t key_code) const {
  if (key_code == 0) return 0;
  for (const HintItem* item = items_.get(); item != nullptr; item = item->next.get()) {
    if (item->key_code == key_code) return item->command;
  }
  return 0;
}

uint16_t HintBar::CommandAt(int col) const {
  for (const HintItem* item = items_.get(); item != nullptr; item = item->next.get()) {
    if (col >= item->left && col <= item->right) return item->command;
  }
  return 0;
}

}  // namespace qz
