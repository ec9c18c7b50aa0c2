#ifndef QZ_UI_PUSH_BUTTON_H_
#define QZ_UI_PUSH_BUTTON_H_

#include <cstdint>

#include "ui/page_control.h"

namespace qz {

/// A button of `width` x `height` cells with a shadow; pressing it (Enter,
/// Space, a left press, or its hot letter on the page — the first character
/// of its text) sends its command to the page.
class PushButton : public PageControl {
 public:
  PushButton(int x, int y, int width, int height, const Text& text, uint16_t command);

  void Edit(UiEvent* event) override;
  void Draw() override;

  uint16_t command() const { return command_; }
  /// The first character of the text (0 for an empty text).
  uint8_t hot_letter() const { return text_.empty() ? 0 : static_cast<uint8_t>(text_[0]); }
  const Text& text() const { return text_; }

 private:
  int width_, height_;
  Text text_;
  uint16_t command_;
};

}  // namespace qz

#endif  // QZ_UI_PUSH_BUTTON_H_
