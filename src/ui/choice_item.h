#ifndef QZ_UI_CHOICE_ITEM_H_
#define QZ_UI_CHOICE_ITEM_H_

#include <memory>
#include <vector>

#include "text/text.h"

namespace qz {

/// One item of a check-box or radio group (text of at most 78 characters).
struct ChoiceItem {
  Text text;
  std::unique_ptr<ChoiceItem> next;
};

/// An item in front of `next`: `NewItem("A", NewItem("B"))` shows A above B.
std::unique_ptr<ChoiceItem> NewItem(const Text& text, std::unique_ptr<ChoiceItem> next = nullptr);

/// The texts of a list, top to bottom.
std::vector<Text> ItemTexts(const ChoiceItem* items);

}  // namespace qz

#endif  // QZ_UI_CHOICE_ITEM_H_
