#ifndef QZ_UI_UI_EVENT_H_
#define QZ_UI_UI_EVENT_H_

#include <cstdint>

namespace qz {

/// The input record every input operation fills: a key, a mouse press or a
/// command. Only the fields of its kind are meaningful; the others stay 0.
struct UiEvent {
  enum What : uint8_t { kNothing = 0, kKey = 1, kMouse = 2, kCommand = 3 };

  uint8_t what = kNothing;
  // Key: `extended` is 1 for a key without a character; `ch` is the CP852
  // character; `key_code` the BIOS code (scan code * 256 + character code).
  uint8_t extended = 0;
  uint8_t ch = 0;
  uint16_t key_code = 0;
  // Mouse press: buttons 1 left, 2 right, 3 both; the 1-based screen cell
  // and the same cell relative to the current window's inner area (may be
  // 0 or negative for a press outside it).
  uint16_t buttons = 0;
  uint16_t column = 0;
  uint16_t row = 0;
  int16_t window_column = 0;
  int16_t window_row = 0;
  // Command.
  uint16_t command = 0;

  bool IsKey(uint16_t code) const { return what == kKey && key_code == code; }
  bool IsCommand() const { return what == kCommand; }
  bool IsLeftPress() const { return what == kMouse && buttons == 1; }
};

/// Zeroes the record (`what` = nothing).
inline void ClearEvent(UiEvent* event) { *event = UiEvent{}; }

/// Turns the record into the command `command`.
inline void MakeCommand(UiEvent* event, uint16_t command) {
  *event = UiEvent{};
  event->what = UiEvent::kCommand;
  event->command = command;
}

}  // namespace qz

#endif  // QZ_UI_UI_EVENT_H_
