#include "ui/push_button.h"

#include "platform/keys.h"
#include "ui/ui.h"

namespace qz {

namespace {

constexpr uint8_t kLowerHalf = 0xDC, kFullBlock = 0xDB, kUpperHalf = 0xDF;
constexpr uint8_t kRightPointer = 0xAF, kLeftPointer = 0xAE;  // » «
constexpr uint8_t kBlink = 0x80;

Text Centred(const Text& text, int width) {
  if (width <= 0) return Text();
  Text shown = text.substr(0, static_cast<std::size_t>(width));
  int left = (width - static_cast<int>(shown.size())) / 2;
  Text line(static_cast<std::size_t>(left), ' ');
  line += shown;
  line.resize(static_cast<std::size_t>(width), ' ');
  return line;
}

}  // namespace

PushButton::PushButton(int x, int y, int width, int height, const Text& text, uint16_t command)
    : PageControl(kPushButton, nullptr, x, y, x + width, y + height),
      width_(width),
      height_(height),
      text_(text.substr(0, 70)),
      command_(command) {}

void PushButton::Draw() {
  if (owner() == nullptr) return;
  DrawLabel();
  const ColourSet& c = ui().colours();
  const int middle = height_ / 2;
  const std::size_t width = static_cast<std::size_t>(width_);
  if (!focused_) {
    for (int r = 0; r < height_; ++r) {
      WriteAt(c[10], x1_, y1_ + r, r == middle ? Centred(text_, width_) : Text(width, ' '));
      WriteAt(c[1], x1_ + width_, y1_ + r,
              Text(1, static_cast<char>(r == 0 ? kLowerHalf : kFullBlock)));
    }
    WriteAt(c[1], x1_, y1_ + height_, " " + Text(width, static_cast<char>(kUpperHalf)));
    return;
  }
  // Focused: drawn one column to the right, as pressed, without shadow.
  for (int r = 0; r < height_; ++r) {
    WriteAt(c[5], x1_, y1_ + r, " ");
    if (r == middle) {
      WriteAt(c[3], x1_ + 2, y1_ + r, Centred(text_, width_ - 2));
      uint8_t blinking = static_cast<uint8_t>(c[3] | kBlink);
      WriteAt(blinking, x1_ + 1, y1_ + r, Text(1, static_cast<char>(kRightPointer)));
      WriteAt(blinking, x1_ + width_, y1_ + r, Text(1, static_cast<char>(kLeftPointer)));
    } else {
      WriteAt(c[3], x1_ + 1, y1_ + r, Text(width, ' '));
    }
  }
  WriteAt(c[5], x1_, y1_ + height_, Text(width + 1, ' '));
}

void PushButton::Edit(UiEvent* event) {
  focused_ = true;
  Draw();
  for (;;) {
    ReadEvent(event, false);
    if (event->what == UiEvent::kNothing) continue;
    bool pressed = false;
    if (event->what == UiEvent::kMouse) {
      pressed = event->IsLeftPress() && Contains(PressColumn(*event), PressRow(*event));
    } else if (event->what == UiEvent::kKey) {
      pressed = event->key_code == key::kEnter || event->key_code == key::kSpace;
    }
    if (pressed) MakeCommand(event, command_);
    break;
  }
  focused_ = false;
  Draw();
}

}  // namespace qz
