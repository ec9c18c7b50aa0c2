#ifndef QZ_UI_MESSAGE_BOX_H_
#define QZ_UI_MESSAGE_BOX_H_

#include <cstdint>

#include "text/text.h"
#include "ui/commands.h"

namespace qz {

class Ui;

/// Kinds of `MessageBox`: a title (low bits) OR-ed with buttons.
namespace box {
inline constexpr uint16_t kWarning = 0x0;      ///< " UWAGA "
inline constexpr uint16_t kError = 0x1;        ///< " Błąd "
inline constexpr uint16_t kInformation = 0x2;  ///< " Informacja "
inline constexpr uint16_t kConfirm = 0x3;      ///< " Potwierdź "
inline constexpr uint16_t kYesButton = 0x100;
inline constexpr uint16_t kNoButton = 0x200;
inline constexpr uint16_t kOkButton = 0x400;
inline constexpr uint16_t kCancelButton = 0x800;
}  // namespace box

/// A titled box with text lines (separated by CR, byte 13) and buttons; the
/// outer rectangle is (x, y, width, height). Returns the pressed button's
/// command, `cmd::kCancel` for Esc or when the box cannot be shown.
uint16_t MessageBox(Ui& ui, int x, int y, int width, int height, const Text& text,
                    uint16_t kind);
/// `MessageBox` at column 20, row 8, 40 x 10.
uint16_t MessageBoxAt(Ui& ui, const Text& text, uint16_t kind);
/// An error box with "OK".
void ErrorBox(Ui& ui, const Text& text);
/// Width (1..36) of the next input box's input line; it returns to 37 after.
void SetInputBoxWidth(Ui& ui, int width);
/// Asks for a text: `cmd::kOk` with `*value` changed, or `cmd::kCancel`
/// with `*value` unchanged.
uint16_t InputBox(Ui& ui, const Text& text, Text* value, bool masked);
/// A yes/no question; true for "Tak". `default_yes` is the answer offered first.
bool ConfirmBox(Ui& ui, int x, int y, const Text& text, bool default_yes);

}  // namespace qz

#endif  // QZ_UI_MESSAGE_BOX_H_
