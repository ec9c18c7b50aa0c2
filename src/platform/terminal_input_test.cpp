#include "platform/terminal_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp852.h"

namespace qz {
namespace {

std::vector<TerminalEvent> Drain(TerminalInputDecoder* d) {
  std::vector<TerminalEvent> out;
  TerminalEvent ev;
  while (d->Next(&ev)) out.push_back(ev);
  return out;
}

std::vector<TerminalEvent> DecodeAll(std::string_view bytes) {
  TerminalInputDecoder d;
  d.Feed(bytes, 0);
  d.CheckTimeout(1000);
  return Drain(&d);
}

struct KeyCase {
  const char* what;
  std::string bytes;
  uint16_t code;
  uint8_t shift;
};

const std::vector<KeyCase>& KeyCases() {
  static const std::vector<KeyCase> cases = {
      // Characters: ASCII, UTF-8 Polish letters as CP852 bytes.
      {"a", "a", 0x1E61, 0x20},
      {"A", "A", 0x1E41, 0x23},
      {"space", " ", 0x3920, 0x20},
      {"7", "7", 0x0837, 0x20},
      {"ą", "\xc4\x85", 0x00A5, 0x20},
      {"Ł", "\xc5\x81", 0x009D, 0x20},
      {"ż", "\xc5\xbc", 0x00BE, 0x20},
      // Control keys.
      {"Enter", "\r", key::kEnter, 0x20},
      {"Ctrl+Enter (LF)", "\n", key::kCtrlEnter, 0x24},
      {"Tab", "\t", key::kTab, 0x20},
      {"Backspace DEL", "\x7f", key::kBackspace, 0x20},
      {"Backspace BS", "\x08", key::kBackspace, 0x20},
      {"Shift+Tab", "\x1b[Z", key::kShiftTab, 0x23},
      {"Ctrl+W", "\x17", key::kCtrlW, 0x24},
      {"Ctrl+D", "\x04", key::kCtrlD, 0x24},
      {"Ctrl+T", "\x14", key::kCtrlT, 0x24},
      {"Ctrl+N", "\x0e", key::kCtrlN, 0x24},
      {"Ctrl+K", "\x0b", key::kCtrlK, 0x24},
      {"Ctrl+P", "\x10", key::kCtrlP, 0x24},
      {"Ctrl+Y", "\x19", key::kCtrlY, 0x24},
      // Cursor keys, normal and application mode.
      {"Up", "\x1b[A", key::kUp, 0x20},
      {"Down", "\x1b[B", key::kDown, 0x20},
      {"Right", "\x1b[C", key::kRight, 0x20},
      {"Left", "\x1b[D", key::kLeft, 0x20},
      {"Up SS3", "\x1bOA", key::kUp, 0x20},
      {"Left SS3", "\x1bOD", key::kLeft, 0x20},
      // Home / End in every form.
      {"Home CSI H", "\x1b[H", key::kHome, 0x20},
      {"End CSI F", "\x1b[F", key::kEnd, 0x20},
      {"Home SS3 H", "\x1bOH", key::kHome, 0x20},
      {"End SS3 F", "\x1bOF", key::kEnd, 0x20},
      {"Home 1~ (tmux, Linux)", "\x1b[1~", key::kHome, 0x20},
      {"End 4~ (tmux, Linux)", "\x1b[4~", key::kEnd, 0x20},
      {"Home 7~ (rxvt)", "\x1b[7~", key::kHome, 0x20},
      {"End 8~ (rxvt)", "\x1b[8~", key::kEnd, 0x20},
      {"PgUp", "\x1b[5~", key::kPgUp, 0x20},
      {"PgDn", "\x1b[6~", key::kPgDn, 0x20},
      {"Ins", "\x1b[2~", key::kIns, 0x20},
      {"Del", "\x1b[3~", key::kDel, 0x20},
      // Function keys: xterm SS3, vt220 CSI n~, Linux console CSI [ X.
      {"F1 SS3", "\x1bOP", key::kF1, 0x20},
      {"F2 SS3", "\x1bOQ", key::kF2, 0x20},
      {"F3 SS3", "\x1bOR", key::kF3, 0x20},
      {"F4 SS3", "\x1bOS", key::kF4, 0x20},
      {"F1 11~", "\x1b[11~", key::kF1, 0x20},
      {"F4 14~", "\x1b[14~", key::kF4, 0x20},
      {"F5", "\x1b[15~", key::kF5, 0x20},
      {"F6", "\x1b[17~", key::kF6, 0x20},
      {"F7", "\x1b[18~", key::kF7, 0x20},
      {"F8", "\x1b[19~", key::kF8, 0x20},
      {"F9", "\x1b[20~", key::kF9, 0x20},
      {"F10", "\x1b[21~", key::kF10, 0x20},
      {"F11", "\x1b[23~", key::kF11, 0x20},
      {"F12", "\x1b[24~", key::kF12, 0x20},
      {"F1 Linux", "\x1b[[A", key::kF1, 0x20},
      {"F5 Linux", "\x1b[[E", key::kF5, 0x20},
      // Modifiers in the CSI 1;m form.
      {"Ctrl+Left", "\x1b[1;5D", key::kCtrlLeft, 0x24},
      {"Ctrl+Right", "\x1b[1;5C", key::kCtrlRight, 0x24},
      {"Ctrl+Up", "\x1b[1;5A", key::kCtrlUp, 0x24},
      {"Ctrl+Down", "\x1b[1;5B", key::kCtrlDown, 0x24},
      {"Ctrl+Home", "\x1b[1;5H", key::kCtrlHome, 0x24},
      {"Ctrl+End", "\x1b[1;5F", key::kCtrlEnd, 0x24},
      {"Ctrl+PgUp", "\x1b[5;5~", key::kCtrlPgUp, 0x24},
      {"Ctrl+PgDn", "\x1b[6;5~", key::kCtrlPgDn, 0x24},
      {"Ctrl+Ins", "\x1b[2;5~", key::kCtrlIns, 0x24},
      {"Ctrl+Del", "\x1b[3;5~", key::kCtrlDel, 0x24},
      {"Shift+Ins", "\x1b[2;2~", key::kIns, 0x23},
      {"Shift+Up", "\x1b[1;2A", key::kUp, 0x23},
      {"Alt+Up", "\x1b[1;3A", 0x9800, 0x28},
      {"Shift+F1", "\x1b[1;2P", 0x5400, 0x23},
      {"Ctrl+F5", "\x1b[15;5~", 0x6200, 0x24},
      {"Ctrl+Shift+Left", "\x1b[1;6D", key::kCtrlLeft, 0x27},
      {"Ctrl+Left rxvt", "\x1bOd", key::kCtrlLeft, 0x24},
      {"Alt+Up Esc-prefixed", "\x1b\x1b[A", 0x9800, 0x28},
      // Alt letters (Esc prefix); Alt+Shift gives the capital's shift bits.
      {"Alt+A", "\x1b" "a", 0x1E00, 0x28},
      {"Alt+Shift+A", "\x1b" "A", 0x1E00, 0x2B},
      {"Alt+X", "\x1bx", 0x2D00, 0x28},
      {"Alt+L", "\x1bl", 0x2600, 0x28},
      {"Alt+1", "\x1b" "1", 0x7800, 0x28},
      // Keypad + and - in application keypad mode.
      {"Pad+", "\x1bOk", key::kPadPlus, 0x20},
      {"Pad-", "\x1bOm", key::kPadMinus, 0x20},
      // Keys reported by code point (kitty, xterm modifyOtherKeys).
      {"Ctrl+W kitty", "\x1b[119;5u", key::kCtrlW, 0x24},
      {"Ctrl+Enter modifyOtherKeys", "\x1b[27;5;13~", key::kCtrlEnter, 0x24},
  };
  return cases;
}

TEST(TerminalInputDecoder, DecodesEveryKeyWholeAndByteByByte) {
  for (const KeyCase& c : KeyCases()) {
    SCOPED_TRACE(c.what);
    auto whole = DecodeAll(c.bytes);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].kind, TerminalEvent::Kind::kKey);
    EXPECT_EQ(whole[0].key.code, c.code) << std::hex << whole[0].key.code;
    EXPECT_EQ(whole[0].key.shift, c.shift) << std::hex << int(whole[0].key.shift);

    // Bytes arriving one by one, each within the Esc timeout of the first.
    TerminalInputDecoder d;
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
      d.Feed(c.bytes.substr(i, 1), i);
      d.CheckTimeout(i);
    }
    d.CheckTimeout(1000);
    auto split = Drain(&d);
    ASSERT_EQ(split.size(), 1u);
    EXPECT_EQ(split[0].key, whole[0].key);
  }
}

TEST(TerminalInputDecoder, SeveralKeysInOneRead) {
  auto ev = DecodeAll("x\x1b[A\x1bOP\x1b" "a\r");
  ASSERT_EQ(ev.size(), 5u);
  EXPECT_EQ(ev[0].key.code, 0x2D78);
  EXPECT_EQ(ev[1].key.code, key::kUp);
  EXPECT_EQ(ev[2].key.code, key::kF1);
  EXPECT_EQ(ev[3].key.code, 0x1E00);
  EXPECT_EQ(ev[4].key.code, key::kEnter);
}

TEST(TerminalInputDecoder, LoneEscWaitsForTheTimeout) {
  TerminalInputDecoder d;
  d.Feed("\x1b", 1000);
  EXPECT_EQ(d.MsUntilTimeout(1000), 50);
  d.CheckTimeout(1049);
  EXPECT_FALSE(d.HasEvents());
  d.CheckTimeout(1050);
  auto ev = Drain(&d);
  ASSERT_EQ(ev.size(), 1u);
  EXPECT_EQ(ev[0].key, (KeyStroke{key::kEsc, 0x20}));
  EXPECT_EQ(d.MsUntilTimeout(1050), -1);
}

TEST(TerminalInputDecoder, EscThenBracketWithinTheTimeoutIsASequence) {
  TerminalInputDecoder d;
  d.Feed("\x1b", 0);
  d.CheckTimeout(20);
  d.Feed("[", 20);
  d.CheckTimeout(40);
  EXPECT_FALSE(d.HasEvents());
  d.Feed("B", 45);
  auto ev = Drain(&d);
  ASSERT_EQ(ev.size(), 1u);
  EXPECT_EQ(ev[0].key.code, key::kDown);
}

TEST(TerminalInputDecoder, TimedOutPrefixesBecomeAltKeys) {
  struct Case {
    std::string bytes;
    std::vector<uint16_t> codes;
  } cases[] = {
      {"\x1b\x1b", {key::kEsc, key::kEsc}},
      {"\x1b[", {0x1A00}},        // Alt+[
      {"\x1bO", {0x1800}},        // Alt+Shift+O: the event reader's Ó
      {"\x1b[1;5", {}},           // a sequence cut short is dropped
      {"\x1b]x", {0x1B00, 0x2D78}},  // Alt+] and x, not a control string
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(1));
    TerminalInputDecoder d;
    d.Feed(c.bytes, 0);
    EXPECT_FALSE(d.HasEvents());
    for (uint64_t t = 0; t <= 200; t += 10) d.CheckTimeout(t);
    auto ev = Drain(&d);
    ASSERT_EQ(ev.size(), c.codes.size());
    for (std::size_t i = 0; i < ev.size(); ++i) EXPECT_EQ(ev[i].key.code, c.codes[i]);
  }
  auto o = DecodeAll("\x1bO");
  ASSERT_EQ(o.size(), 1u);
  EXPECT_EQ(o[0].key.shift, 0x2B);
}

TEST(TerminalInputDecoder, UnknownSequencesAreDroppedWhole) {
  const char* unknown[] = {
      "\x1b[?1;2c",        // device attributes reply
      "\x1b[99~",          // no such key
      "\x1b[1;5X",         // unknown final byte
      "\x1b[>0;276;0c",    // secondary device attributes
      "\x1b]11;rgb:0000/0000/0000\x07",  // colour reply (OSC)
      "\x1b]52;c;YQ==\x1b\\",             // clipboard reply ended by ST
      "\x1bPdata\x1b\\",                  // DCS string
      "\x1b[<64;10;5M",    // wheel
      "\x1b[I",            // focus in
      "\x1b[201~",         // stray paste end
      "\xff",              // not UTF-8
      "\xe2\x82\xac",      // the euro sign: not in CP852
      "\xe2\x98\xba",      // a control-byte glyph is not a character
  };
  for (const char* u : unknown) {
    SCOPED_TRACE(std::string(u).substr(1));
    auto ev = DecodeAll(std::string(u) + "x");
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].key.code, 0x2D78);
  }
}

TEST(TerminalInputDecoder, PasteArrivesAsOneTextInPieces) {
  TerminalInputDecoder d;
  const std::string paste = "\x1b[200~Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87\r\n2019\tr.\r\n\x1b[201~";
  // Cut everywhere, the end marker included.
  for (std::size_t i = 0; i < paste.size(); i += 3) d.Feed(paste.substr(i, 3), i);
  d.Feed("q", 100);
  auto ev = Drain(&d);
  ASSERT_EQ(ev.size(), 2u);
  EXPECT_EQ(ev[0].kind, TerminalEvent::Kind::kPaste);
  EXPECT_EQ(ev[0].paste, "Zażółć 2019 r."_cp);
  EXPECT_EQ(ev[1].key.code, 0x1071);  // q, typed after the paste
}

TEST(TerminalInputDecoder, PasteWithoutEndIsDeliveredAfterAPause) {
  TerminalInputDecoder d;
  d.Feed("\x1b[200~abc", 0);
  d.CheckTimeout(999);
  EXPECT_FALSE(d.HasEvents());
  d.CheckTimeout(1000);
  d.Feed("x", 1001);
  auto ev = Drain(&d);
  ASSERT_EQ(ev.size(), 2u);
  EXPECT_EQ(ev[0].paste, "abc");
  EXPECT_EQ(ev[1].key.code, 0x2D78);
}

TEST(TerminalInputDecoder, MouseButtonsAndPositions) {
  TerminalInputDecoder d;
  d.Feed("\x1b[<0;10;5M"      // left down at column 10, row 5 (1-based)
         "\x1b[<2;11;5M"      // right down too: both
         "\x1b[<0;11;5m"      // left up: a release
         "\x1b[<2;11;5m"      // right up
         "\x1b[<2;1;1M"       // right alone
         "\x1b[<2;1;1m"
         "\x1b[<0;81;5M"      // outside the 80 x 25 screen: dropped
         "\x1b[<1;3;3M"       // middle button: dropped
         "\x1b[M !!",         // old-style report: left at 1,1
         0);
  auto ev = Drain(&d);
  struct Want {
    uint8_t buttons;
    int col, row;
  } want[] = {{1, 9, 4}, {3, 10, 4}, {0, 10, 4}, {0, 10, 4}, {2, 0, 0}, {0, 0, 0}, {1, 0, 0}};
  ASSERT_EQ(ev.size(), std::size(want));
  for (std::size_t i = 0; i < ev.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ev[i].kind, TerminalEvent::Kind::kMouse);
    EXPECT_EQ(ev[i].mouse.buttons, want[i].buttons);
    EXPECT_EQ(ev[i].mouse.column, want[i].col);
    EXPECT_EQ(ev[i].mouse.row, want[i].row);
  }
}

}  // namespace
}  // namespace qz
