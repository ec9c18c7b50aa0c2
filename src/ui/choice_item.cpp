#include "ui/choice_item.h"

namespace qz {

std::unique_ptr<ChoiceItem> NewItem(const Text& text, std::unique_ptr<ChoiceItem> next) {
  auto item = std::make_unique<ChoiceItem>();
  item->text = text.substr(0, 78);
  item->next = std::move(next);
  return item;
}

std::vector<Text> ItemTexts(const ChoiceItem* items) {
  std::vector<Text> texts;
  for (const ChoiceItem* item = items; item != nullptr; item = item->next.get()) {
    texts.push_back(item->text);
  }
  return texts;
}

}  // namespace qz
