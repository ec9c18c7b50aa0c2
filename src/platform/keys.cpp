#include "platform/keys.h"

#include <cctype>
#include <string>

namespace qz {

namespace {

struct Named {
  std::string_view name;
  uint16_t code;
  uint8_t extra_shift;
};

constexpr Named kNamed[] = {
    {"Esc", key::kEsc, 0},          {"Enter", key::kEnter, 0},
    {"Ctrl+Enter", key::kCtrlEnter, shift::kCtrl},
    {"Tab", key::kTab, 0},          {"Shift+Tab", key::kShiftTab, shift::kShift},
    {"Backspace", key::kBackspace, 0}, {"BS", key::kBackspace, 0},
    {"Space", key::kSpace, 0},
    {"F1", key::kF1, 0},   {"F2", key::kF2, 0},   {"F3", key::kF3, 0},   {"F4", key::kF4, 0},
    {"F5", key::kF5, 0},   {"F6", key::kF6, 0},   {"F7", key::kF7, 0},   {"F8", key::kF8, 0},
    {"F9", key::kF9, 0},   {"F10", key::kF10, 0}, {"F11", key::kF11, 0}, {"F12", key::kF12, 0},
    {"Up", key::kUp, 0},   {"Down", key::kDown, 0}, {"Left", key::kLeft, 0},
    {"Right", key::kRight, 0},
    {"Ctrl+Left", key::kCtrlLeft, shift::kCtrl},   {"Ctrl+Right", key::kCtrlRight, shift::kCtrl},
    {"Ctrl+Up", key::kCtrlUp, shift::kCtrl},       {"Ctrl+Down", key::kCtrlDown, shift::kCtrl},
    {"Home", key::kHome, 0}, {"End", key::kEnd, 0},
    {"Ctrl+Home", key::kCtrlHome, shift::kCtrl},   {"Ctrl+End", key::kCtrlEnd, shift::kCtrl},
    {"PgUp", key::kPgUp, 0}, {"PgDn", key::kPgDn, 0},
    {"Ctrl+PgUp", key::kCtrlPgUp, shift::kCtrl},   {"Ctrl+PgDn", key::kCtrlPgDn, shift::kCtrl},
    {"Ins", key::kIns, 0},   {"Del", key::kDel, 0},
    {"Shift+Ins", key::kIns, shift::kShift},       {"Shift+Del", key::kDel, shift::kShift},
    {"Ctrl+Ins", key::kCtrlIns, shift::kCtrl},     {"Ctrl+Del", key::kCtrlDel, shift::kCtrl},
    {"Pad+", key::kPadPlus, 0}, {"Pad-", key::kPadMinus, 0},
};

// US keyboard scan codes by ASCII character (lower-case and unshifted forms).
uint8_t ScanOfLower(char c) {
  static const char* rows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'`", "\\zxcvbnm,./"};
  static const uint8_t starts[] = {0x02, 0x10, 0x1E, 0x2B};
  for (int r = 0; r < 4; ++r) {
    for (int i = 0; rows[r][i]; ++i) {
      if (rows[r][i] == c) return static_cast<uint8_t>(starts[r] + i);
    }
  }
  if (c == ' ') return 0x39;
  return 0;
}

char Unshifted(char c) {
  static const std::string shifted = "!@#$%^&*()_+{}:\"~|<>?";
  static const std::string plain = "1234567890-=[];'`\\,./";
  if (std::isupper(static_cast<unsigned char>(c))) return static_cast<char>(std::tolower(c));
  auto p = shifted.find(c);
  return p == std::string::npos ? c : plain[p];
}

bool IsShifted(char c) {
  static const std::string shifted = "!@#$%^&*()_+{}:\"~|<>?";
  return std::isupper(static_cast<unsigned char>(c)) || shifted.find(c) != std::string::npos;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

uint8_t ScanCodeOf(char c) { return ScanOfLower(Unshifted(c)); }

KeyStroke CharKey(uint8_t cp852) {
  if (cp852 >= 0x80 || cp852 < 0x20) {
    return KeyStroke{cp852, shift::kNumLock};
  }
  char c = static_cast<char>(cp852);
  uint8_t scan = ScanCodeOf(c);
  uint8_t st = shift::kNumLock | (IsShifted(c) ? shift::kShift : 0);
  return KeyStroke{static_cast<uint16_t>(scan << 8 | cp852), st};
}

std::optional<KeyStroke> NamedKey(std::string_view name) {
  for (const Named& n : kNamed) {
    if (EqualNoCase(n.name, name)) {
      return KeyStroke{n.code, static_cast<uint8_t>(shift::kNumLock | n.extra_shift)};
    }
  }
  if (name.size() == 1) return CharKey(static_cast<uint8_t>(name[0]));
  auto starts = [&](std::string_view p) {
    return name.size() > p.size() && EqualNoCase(name.substr(0, p.size()), p);
  };
  if (starts("Ctrl+") && name.size() == 6 && std::isalpha(static_cast<unsigned char>(name[5]))) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(name[5])));
    return KeyStroke{static_cast<uint16_t>(ScanOfLower(l) << 8 | (l - 'a' + 1)),
                     static_cast<uint8_t>(shift::kNumLock | shift::kCtrl)};
  }
  if (starts("Alt+Shift+") && name.size() == 11) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(name[10])));
    return KeyStroke{static_cast<uint16_t>(ScanOfLower(l) << 8),
                     static_cast<uint8_t>(shift::kNumLock | shift::kAlt | shift::kShift)};
  }
  if (starts("Alt+") && name.size() == 5) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(name[4])));
    uint8_t scan = ScanOfLower(l);
    if (std::isdigit(static_cast<unsigned char>(l))) scan = static_cast<uint8_t>(scan + 0x76);
    return KeyStroke{static_cast<uint16_t>(scan << 8),
                     static_cast<uint8_t>(shift::kNumLock | shift::kAlt)};
  }
  return std::nullopt;
}

}  // namespace qz
