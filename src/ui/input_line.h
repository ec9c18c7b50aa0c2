#ifndef QZ_UI_INPUT_LINE_H_
#define QZ_UI_INPUT_LINE_H_

#include <memory>

#include "ui/page_control.h"

namespace qz {

/// A one-line text field bound to the caller's string, which it changes in
/// place while the user types. The field is `max_len` cells wide at (x, y).
class InputLine : public PageControl {
 public:
  /// Cuts `*value` to `max_len` when longer, otherwise removes its trailing
  /// blanks and control characters.
  InputLine(std::unique_ptr<TextLabel> label, int x, int y, int max_len, Text* value);

  void Edit(UiEvent* event) override;
  void Draw() override;

  /// Shows one "*" per character instead of the text.
  void set_masked(bool masked) { masked_ = masked; }
  int max_len() const { return max_len_; }
  /// 1-based position of the cursor in the field.
  int cursor() const { return cursor_; }

  /// True for the characters an input line takes: 0x15 ("§"), 0x20..0x7E
  /// and 0x80..0xFE.
  static bool Accepts(uint8_t ch);

 private:
  /// Handles a key; false when the key ends editing.
  bool HandleKey(const UiEvent& event, const Text& undo);
  void Finish();

  Text* value_;
  int max_len_;
  int cursor_ = 1;
  bool masked_ = false;
};

}  // namespace qz

#endif  // QZ_UI_INPUT_LINE_H_
