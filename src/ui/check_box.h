#ifndef QZ_UI_CHECK_BOX_H_
#define QZ_UI_CHECK_BOX_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/choice_item.h"
#include "ui/page_control.h"

namespace qz {

/// A column of check boxes bound to the caller's 16-bit set: item i (1 at
/// the top) is the bit of value 1 << (i - 1). At most 16 items.
class CheckBoxGroup : public PageControl {
 public:
  CheckBoxGroup(std::unique_ptr<TextLabel> label, int x, int y,
                std::unique_ptr<ChoiceItem> items, uint16_t* bits);

  void Edit(UiEvent* event) override;
  void Draw() override;

  int cursor() const { return cursor_; }
  int item_count() const { return static_cast<int>(items_.size()); }

 private:
  /// Handles an event; false when it ends editing.
  bool Handle(UiEvent* event);

  std::vector<Text> items_;
  uint16_t* bits_;
  int cursor_ = 1;
};

/// A single check box bound to the caller's flag.
class CheckBox : public PageControl {
 public:
  CheckBox(std::unique_ptr<TextLabel> label, int x, int y, bool* flag, const Text& text);

  void Edit(UiEvent* event) override;
  void Draw() override;

 private:
  bool* flag_;
  Text text_;
};

}  // namespace qz

#endif  // QZ_UI_CHECK_BOX_H_
