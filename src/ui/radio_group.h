#ifndef QZ_UI_RADIO_GROUP_H_
#define QZ_UI_RADIO_GROUP_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/choice_item.h"
#include "ui/page_control.h"

namespace qz {

/// A column of exclusive choices bound to the caller's 0-based index. An
/// index out of range is set to 0 (the first item) at creation.
class RadioGroup : public PageControl {
 public:
  RadioGroup(std::unique_ptr<TextLabel> label, int x, int y, std::unique_ptr<ChoiceItem> items,
             uint16_t* index);

  void Edit(UiEvent* event) override;
  void Draw() override;

  int cursor() const { return cursor_; }

 private:
  bool Handle(UiEvent* event);

  std::vector<Text> items_;
  uint16_t* index_;
  int cursor_ = 0;
};

}  // namespace qz

#endif  // QZ_UI_RADIO_GROUP_H_
