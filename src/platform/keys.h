#ifndef QZ_PLATFORM_KEYS_H_
#define QZ_PLATFORM_KEYS_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace qz {

/// Key codes in the PC BIOS convention: scan code * 256 + character code.
namespace key {
inline constexpr uint16_t kEsc = 0x011B;
inline constexpr uint16_t kEnter = 0x1C0D;
inline constexpr uint16_t kCtrlEnter = 0x1C0A;
inline constexpr uint16_t kTab = 0x0F09;
inline constexpr uint16_t kShiftTab = 0x0F00;
inline constexpr uint16_t kBackspace = 0x0E08;
inline constexpr uint16_t kSpace = 0x3920;
inline constexpr uint16_t kF1 = 0x3B00;
inline constexpr uint16_t kF2 = 0x3C00;
inline constexpr uint16_t kF3 = 0x3D00;
inline constexpr uint16_t kF4 = 0x3E00;
inline constexpr uint16_t kF5 = 0x3F00;
inline constexpr uint16_t kF6 = 0x4000;
inline constexpr uint16_t kF7 = 0x4100;
inline constexpr uint16_t kF8 = 0x4200;
inline constexpr uint16_t kF9 = 0x4300;
inline constexpr uint16_t kF10 = 0x4400;
inline constexpr uint16_t kF11 = 0x8500;
inline constexpr uint16_t kF12 = 0x8600;
inline constexpr uint16_t kUp = 0x4800;
inline constexpr uint16_t kDown = 0x5000;
inline constexpr uint16_t kLeft = 0x4B00;
inline constexpr uint16_t kRight = 0x4D00;
inline constexpr uint16_t kCtrlLeft = 0x7300;
inline constexpr uint16_t kCtrlRight = 0x7400;
inline constexpr uint16_t kCtrlUp = 0x8D00;
inline constexpr uint16_t kCtrlDown = 0x9100;
inline constexpr uint16_t kHome = 0x4700;
inline constexpr uint16_t kEnd = 0x4F00;
inline constexpr uint16_t kCtrlHome = 0x7700;
inline constexpr uint16_t kCtrlEnd = 0x7500;
inline constexpr uint16_t kPgUp = 0x4900;
inline constexpr uint16_t kPgDn = 0x5100;
inline constexpr uint16_t kCtrlPgUp = 0x8400;
inline constexpr uint16_t kCtrlPgDn = 0x7600;
inline constexpr uint16_t kIns = 0x5200;
inline constexpr uint16_t kDel = 0x5300;
inline constexpr uint16_t kCtrlIns = 0x9200;
inline constexpr uint16_t kCtrlDel = 0x9300;
inline constexpr uint16_t kCtrlT = 0x1414;
inline constexpr uint16_t kCtrlN = 0x310E;
inline constexpr uint16_t kCtrlW = 0x1117;
inline constexpr uint16_t kCtrlD = 0x2004;
inline constexpr uint16_t kCtrlK = 0x250B;
inline constexpr uint16_t kCtrlM = 0x320D;
inline constexpr uint16_t kCtrlP = 0x1910;
inline constexpr uint16_t kCtrlY = 0x1519;
inline constexpr uint16_t kPadPlus = 0x4E2B;
inline constexpr uint16_t kPadMinus = 0x4A2D;
/// The paste key the event reader makes of Shift+Ins.
inline constexpr uint16_t kPaste = 0x0500;
}  // namespace key

/// Shift-state byte delivered with every key (sums of these).
namespace shift {
inline constexpr uint8_t kShift = 0x03;
inline constexpr uint8_t kCtrl = 0x04;
inline constexpr uint8_t kAlt = 0x08;
inline constexpr uint8_t kScrollLock = 0x10;
inline constexpr uint8_t kNumLock = 0x20;
inline constexpr uint8_t kCapsLock = 0x40;
}  // namespace shift

/// A key as the keyboard delivers it: BIOS code and shift state.
struct KeyStroke {
  uint16_t code = 0;
  uint8_t shift = 0;
  bool operator==(const KeyStroke&) const = default;
};

/// Scan code of an ASCII letter, digit or punctuation key (0 if none).
uint8_t ScanCodeOf(char c);

/// The key stroke for a CP852 character typed on the keyboard (Num Lock on;
/// capitals carry the Shift bits). Polish letters arrive with scan code 0.
KeyStroke CharKey(uint8_t cp852);

/// The key stroke for a key named as in the key scripts: "Enter", "Esc",
/// "Tab", "Shift+Tab", "F1".."F12", "Up", "PgDn", "Ctrl+W", "Alt+A",
/// "Alt+Shift+A", "Shift+Ins", "Ctrl+Left", "Pad+", "Pad-", "Space", a single
/// character, ... Num Lock is taken as on. Empty when the name is unknown.
std::optional<KeyStroke> NamedKey(std::string_view name);

}  // namespace qz

#endif  // QZ_PLATFORM_KEYS_H_
