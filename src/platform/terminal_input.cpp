#include "platform/terminal_input.h"

#include <array>
#include <optional>

#include "text/cp852.h"

namespace qz {

namespace {

// Modifier bits as xterm reports them in "CSI 1;m": m - 1.
constexpr int kModShift = 1;
constexpr int kModAlt = 2;
constexpr int kModCtrl = 4;
constexpr int kModMeta = 8;

enum class Special : uint8_t {
  kUp, kDown, kLeft, kRight, kHome, kEnd, kPgUp, kPgDn, kIns, kDel,
  kF1, kF2, kF3, kF4, kF5, kF6, kF7, kF8, kF9, kF10, kF11, kF12,
  kTab, kEnter, kBackspace, kEsc, kPadPlus, kPadMinus,
};

// BIOS codes of each key alone and with Shift, Ctrl and Alt. When several
// are held the BIOS gives Alt precedence over Ctrl, and Ctrl over Shift.
struct SpecialCodes {
  uint16_t plain, with_shift, with_ctrl, with_alt;
};

constexpr std::array<SpecialCodes, 28> kSpecialCodes = {{
    {0x4800, 0x4800, 0x8D00, 0x9800},  // Up
    {0x5000, 0x5000, 0x9100, 0xA000},  // Down
    {0x4B00, 0x4B00, 0x7300, 0x9B00},  // Left
    {0x4D00, 0x4D00, 0x7400, 0x9D00},  // Right
    {0x4700, 0x4700, 0x7700, 0x9700},  // Home
    {0x4F00, 0x4F00, 0x7500, 0x9F00},  // End
    {0x4900, 0x4900, 0x8400, 0x9900},  // PgUp
    {0x5100, 0x5100, 0x7600, 0xA100},  // PgDn
    {0x5200, 0x5200, 0x9200, 0xA200},  // Ins
    {0x5300, 0x5300, 0x9300, 0xA300},  // Del
    {0x3B00, 0x5400, 0x5E00, 0x6800},  // F1
    {0x3C00, 0x5500, 0x5F00, 0x6900},
    {0x3D00, 0x5600, 0x6000, 0x6A00},
    {0x3E00, 0x5700, 0x6100, 0x6B00},
    {0x3F00, 0x5800, 0x6200, 0x6C00},
    {0x4000, 0x5900, 0x6300, 0x6D00},
    {0x4100, 0x5A00, 0x6400, 0x6E00},
    {0x4200, 0x5B00, 0x6500, 0x6F00},
    {0x4300, 0x5C00, 0x6600, 0x7000},
    {0x4400, 0x5D00, 0x6700, 0x7100},  // F10
    {0x8500, 0x8700, 0x8900, 0x8B00},  // F11
    {0x8600, 0x8800, 0x8A00, 0x8C00},  // F12
    {0x0F09, 0x0F00, 0x9400, 0xA500},  // Tab
    {0x1C0D, 0x1C0D, 0x1C0A, 0x1C00},  // Enter
    {0x0E08, 0x0E08, 0x0E7F, 0x0E00},  // Backspace
    {0x011B, 0x011B, 0x011B, 0x0100},  // Esc
    {0x4E2B, 0x4E2B, 0x9000, 0x4E00},  // keypad +
    {0x4A2D, 0x4A2D, 0x8E00, 0x4A00},  // keypad -
}};

Special FunctionKey(int n) { return static_cast<Special>(static_cast<int>(Special::kF1) + n - 1); }

// The final bytes that CSI and SS3 sequences share: the arrows, Home, End
// and F1 to F4.
std::optional<Special> CursorOrFunctionKey(char final_byte) {
  switch (final_byte) {
    case 'A': return Special::kUp;
    case 'B': return Special::kDown;
    case 'C': return Special::kRight;
    case 'D': return Special::kLeft;
    case 'H': return Special::kHome;
    case 'F': return Special::kEnd;
    case 'P': case 'Q': case 'R': case 'S': return FunctionKey(final_byte - 'P' + 1);
    default: return std::nullopt;
  }
}

uint8_t ShiftByte(int mods) {
  uint8_t s = shift::kNumLock;
  if (mods & kModShift) s |= shift::kShift;
  if (mods & kModCtrl) s |= shift::kCtrl;
  if (mods & (kModAlt | kModMeta)) s |= shift::kAlt;
  return s;
}

KeyStroke SpecialStroke(Special k, int mods) {
  const SpecialCodes& c = kSpecialCodes[static_cast<std::size_t>(k)];
  uint16_t code = c.plain;
  if (mods & (kModAlt | kModMeta)) code = c.with_alt;
  else if (mods & kModCtrl) code = c.with_ctrl;
  else if (mods & kModShift) code = c.with_shift;
  return KeyStroke{code, ShiftByte(mods)};
}

bool IsLower(uint8_t c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(uint8_t c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// A character key (CP852) with the modifiers held, as the BIOS codes it.
KeyStroke CharStroke(uint8_t ch, int mods) {
  const bool alt = mods & (kModAlt | kModMeta);
  const bool ctrl = mods & kModCtrl;
  if (IsLower(ch) || IsUpper(ch)) {
    const uint8_t lower = IsUpper(ch) ? static_cast<uint8_t>(ch + 32) : ch;
    const uint16_t scan = ScanCodeOf(static_cast<char>(lower));
    const int m = mods | (IsUpper(ch) ? kModShift : 0);
    if (alt) return KeyStroke{static_cast<uint16_t>(scan << 8), ShiftByte(m)};
    if (ctrl) return KeyStroke{static_cast<uint16_t>(scan << 8 | (lower - 'a' + 1)), ShiftByte(m)};
    if (m & kModShift) return CharKey(static_cast<uint8_t>(lower - 32));
    return CharKey(lower);
  }
  KeyStroke k = CharKey(ch);
  if (ch >= 0x20 && ch < 0x7F) {
    const uint16_t scan = ScanCodeOf(static_cast<char>(ch));
    if (alt && scan != 0 && ch != ' ') {
      uint16_t code = static_cast<uint16_t>(scan << 8);
      // Alt with the top-row keys has codes of its own (Alt+1 = 0x7800).
      if (scan >= 0x02 && scan <= 0x0D) code = static_cast<uint16_t>((scan + 0x76) << 8);
      return KeyStroke{code, static_cast<uint8_t>(k.shift | ShiftByte(mods))};
    }
    if (ctrl && !alt) {
      switch (ch) {
        case '@': case '2': return KeyStroke{0x0300, ShiftByte(mods)};
        case '\\': return KeyStroke{0x2B1C, ShiftByte(mods)};
        case ']': return KeyStroke{0x1B1D, ShiftByte(mods)};
        case '^': case '6': return KeyStroke{0x071E, ShiftByte(mods)};
        case '_': case '-': return KeyStroke{0x0C1F, ShiftByte(mods)};
        default: break;
      }
    }
  }
  k.shift = static_cast<uint8_t>(k.shift | ShiftByte(mods));
  return k;
}

// Reads the numeric parameters of a CSI sequence ("1;5", "27;2;13", kitty's
// "97:65;5"). False for anything else, such as the private markers of
// terminal replies.
bool ParseParams(std::string_view s, std::array<int, 4>* p, int* count) {
  p->fill(-1);
  *count = 0;
  if (s.empty()) return true;
  int n = 0;
  bool sub = false;
  int value = -1;
  for (char c : s) {
    if (IsDigit(static_cast<uint8_t>(c))) {
      if (!sub) value = (value < 0 ? 0 : value) * 10 + (c - '0');
      if (value > 100000) return false;
    } else if (c == ';') {
      if (n < 4) (*p)[n] = value;
      ++n;
      value = -1;
      sub = false;
    } else if (c == ':') {
      sub = true;
    } else {
      return false;
    }
  }
  if (n < 4) (*p)[n] = value;
  *count = n + 1;
  return true;
}

// The modifier bits of an xterm modifier parameter (absent or 1 = none).
int ModsOf(int param) { return param > 1 ? (param - 1) & 0x0F : 0; }

}  // namespace

struct TerminalInputDecoder::Decoded {
  enum class What : uint8_t { kNothing, kSpecial, kChar, kMouse };
  What what = What::kNothing;
  Special special = Special::kEsc;
  uint8_t ch = 0;  // CP852
  int mods = 0;
  MouseRecord mouse;

  void SetSpecial(Special k, int m = 0) { what = What::kSpecial, special = k, mods = m; }
  void SetChar(uint8_t c, int m = 0) { what = What::kChar, ch = c, mods = m; }
};

void TerminalInputDecoder::Feed(std::string_view bytes, uint64_t now_ms) {
  if (bytes.empty()) return;
  if (buf_.empty() && !in_paste_) pending_since_ = now_ms;
  buf_.append(bytes);
  if (in_paste_) paste_last_ms_ = now_ms;
  Process(now_ms, false);
}

void TerminalInputDecoder::CheckTimeout(uint64_t now_ms) {
  if (in_paste_) {
    if (now_ms - paste_last_ms_ >= kPasteTimeoutMs) {
      paste_.append(buf_);
      buf_.clear();
      EndPaste();
      Process(now_ms, false);
    }
    return;
  }
  if (!buf_.empty() && now_ms - pending_since_ >= kEscTimeoutMs) Process(now_ms, true);
}

int TerminalInputDecoder::MsUntilTimeout(uint64_t now_ms) const {
  uint64_t due;
  if (in_paste_) due = paste_last_ms_ + kPasteTimeoutMs;
  else if (!buf_.empty()) due = pending_since_ + kEscTimeoutMs;
  else return -1;
  return due > now_ms ? static_cast<int>(due - now_ms) : 0;
}

bool TerminalInputDecoder::Next(TerminalEvent* out) {
  if (events_.empty()) return false;
  *out = std::move(events_.front());
  events_.pop_front();
  return true;
}

void TerminalInputDecoder::Process(uint64_t now_ms, bool timed_out) {
  bool consumed = false;
  while (!buf_.empty()) {
    if (in_paste_) {
      ProcessPaste(now_ms);
      if (in_paste_) return;
      consumed = true;
      continue;
    }
    Decoded d;
    std::size_t used = 0;
    DecodeStatus st = DecodeOne(buf_, timed_out, &d, &used);
    if (st == DecodeStatus::kPartial) break;
    // Only the sequence that waited is forced; what follows it gets its own time.
    timed_out = false;
    consumed = true;
    buf_.erase(0, used);
    if (st != DecodeStatus::kComplete) continue;
    TerminalEvent ev;
    switch (d.what) {
      case Decoded::What::kNothing: continue;
      case Decoded::What::kSpecial: ev.key = SpecialStroke(d.special, d.mods); break;
      case Decoded::What::kChar: ev.key = CharStroke(d.ch, d.mods); break;
      case Decoded::What::kMouse:
        ev.kind = TerminalEvent::Kind::kMouse;
        ev.mouse = d.mouse;
        break;
    }
    events_.push_back(std::move(ev));
  }
  if (consumed && !buf_.empty()) pending_since_ = now_ms;
}

void TerminalInputDecoder::ProcessPaste(uint64_t now_ms) {
  static constexpr std::string_view kEnd = "\x1b[201~";
  paste_last_ms_ = now_ms;
  std::size_t end = buf_.find(kEnd);
  if (end == std::string::npos) {
    // Keep a tail that may be the start of the end marker.
    std::size_t keep = std::min(buf_.size(), kEnd.size() - 1);
    std::size_t take = buf_.size() - keep;
    if (paste_.size() < kMaxPasteBytes) paste_.append(buf_, 0, std::min(take, kMaxPasteBytes - paste_.size()));
    buf_.erase(0, take);
    return;
  }
  if (paste_.size() < kMaxPasteBytes) paste_.append(buf_, 0, std::min(end, kMaxPasteBytes - paste_.size()));
  buf_.erase(0, end + kEnd.size());
  EndPaste();
}

void TerminalInputDecoder::EndPaste() {
  in_paste_ = false;
  // The clipboard feeds one-line input fields: line breaks and tabs become
  // single spaces, other control characters go, trailing line ends go.
  std::string clean;
  clean.reserve(paste_.size());
  bool gap = false;
  for (char c : paste_) {
    auto u = static_cast<unsigned char>(c);
    if (u == '\r' || u == '\n' || u == '\t') {
      gap = true;
      continue;
    }
    if (u < 0x20 || u == 0x7F) continue;
    if (gap && !clean.empty()) clean.push_back(' ');
    gap = false;
    clean.push_back(c);
  }
  paste_.clear();
  if (clean.empty()) return;
  TerminalEvent ev;
  ev.kind = TerminalEvent::Kind::kPaste;
  ev.paste = Utf8ToCp852(clean);
  events_.push_back(std::move(ev));
}

DecodeStatus TerminalInputDecoder::DecodeOne(std::string_view buf, bool timed_out, Decoded* out,
                                             std::size_t* used) {
  const auto b = static_cast<uint8_t>(buf[0]);
  *used = 1;
  if (b == 0x1B) return DecodeEscape(buf, timed_out, out, used);
  switch (b) {
    case 0x0D: out->SetSpecial(Special::kEnter); return DecodeStatus::kComplete;
    // A terminal sends a line feed for Ctrl+Enter (or Ctrl+J).
    case 0x0A: out->SetSpecial(Special::kEnter, kModCtrl); return DecodeStatus::kComplete;
    case 0x09: out->SetSpecial(Special::kTab); return DecodeStatus::kComplete;
    case 0x08:
    case 0x7F: out->SetSpecial(Special::kBackspace); return DecodeStatus::kComplete;
    case 0x00: out->SetChar('@', kModCtrl); return DecodeStatus::kComplete;
    case 0x1C: out->SetChar('\\', kModCtrl); return DecodeStatus::kComplete;
    case 0x1D: out->SetChar(']', kModCtrl); return DecodeStatus::kComplete;
    case 0x1E: out->SetChar('^', kModCtrl); return DecodeStatus::kComplete;
    case 0x1F: out->SetChar('_', kModCtrl); return DecodeStatus::kComplete;
    default: break;
  }
  if (b < 0x20) {
    out->SetChar(static_cast<uint8_t>('a' + b - 1), kModCtrl);
    return DecodeStatus::kComplete;
  }
  if (b < 0x80) {
    out->SetChar(b);
    return DecodeStatus::kComplete;
  }
  // UTF-8.
  int extra;
  char32_t cp;
  if ((b & 0xE0) == 0xC0) extra = 1, cp = b & 0x1F;
  else if ((b & 0xF0) == 0xE0) extra = 2, cp = b & 0x0F;
  else if ((b & 0xF8) == 0xF0) extra = 3, cp = b & 0x07;
  else return DecodeStatus::kNotMine;
  for (int k = 1; k <= extra; ++k) {
    if (static_cast<std::size_t>(k) >= buf.size()) {
      if (!timed_out) return DecodeStatus::kPartial;
      *used = buf.size();
      return DecodeStatus::kNotMine;
    }
    const auto c = static_cast<uint8_t>(buf[k]);
    if ((c & 0xC0) != 0x80) {
      *used = static_cast<std::size_t>(k);
      return DecodeStatus::kNotMine;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  *used = static_cast<std::size_t>(extra) + 1;
  uint8_t ch = 0;
  // Characters the code page lacks cannot be typed; the PC glyphs of the
  // control bytes are not characters either.
  if (cp < 0xA0 || !UnicodeToCp852(cp, &ch) || ch < 0x20 || ch == 0x7F) {
    return DecodeStatus::kNotMine;
  }
  out->SetChar(ch);
  return DecodeStatus::kComplete;
}

DecodeStatus TerminalInputDecoder::DecodeEscape(std::string_view buf, bool timed_out,
                                                Decoded* out, std::size_t* used) {
  if (buf.size() == 1) {
    if (!timed_out) return DecodeStatus::kPartial;
    out->SetSpecial(Special::kEsc);
    return DecodeStatus::kComplete;
  }
  const auto c = static_cast<uint8_t>(buf[1]);
  if (c == '[') return DecodeCsi(buf, timed_out, out, used);
  if (c == 'O') return DecodeSs3(buf, timed_out, out, used);
  if (c == ']' || c == 'P' || c == '_' || c == '^') {
    // A control string (a terminal's reply), ended by BEL or Esc \.
    static constexpr std::size_t kMaxString = 4096;
    for (std::size_t i = 2; i < buf.size(); ++i) {
      if (buf[i] == '\x07') {
        *used = i + 1;
        return DecodeStatus::kNotMine;
      }
      if (buf[i] == '\x1b' && i + 1 < buf.size() && buf[i + 1] == '\\') {
        *used = i + 2;
        return DecodeStatus::kNotMine;
      }
    }
    if (buf.size() > kMaxString) {
      *used = buf.size();
      return DecodeStatus::kNotMine;
    }
    if (!timed_out) return DecodeStatus::kPartial;
    // Never ended: it was Alt with that key, and what follows are keys.
    *used = 2;
    out->SetChar(c, kModAlt);
    return DecodeStatus::kComplete;
  }
  if (c == 0x1B) {
    // Esc Esc [ A and the like: a special key with Alt, as older terminals
    // send it. Otherwise the first Esc is a key of its own.
    if (buf.size() == 2 && !timed_out) return DecodeStatus::kPartial;
    if (buf.size() >= 3 && (buf[2] == '[' || buf[2] == 'O')) {
      DecodeStatus st = DecodeEscape(buf.substr(1), timed_out, out, used);
      if (st == DecodeStatus::kPartial) return st;
      ++*used;
      if (st == DecodeStatus::kComplete && out->what != Decoded::What::kMouse) out->mods |= kModAlt;
      return st;
    }
    *used = 1;
    out->SetSpecial(Special::kEsc);
    return DecodeStatus::kComplete;
  }
  // Esc before a key: the key with Alt.
  DecodeStatus st = DecodeOne(buf.substr(1), timed_out, out, used);
  if (st == DecodeStatus::kPartial) return st;
  ++*used;
  if (st == DecodeStatus::kComplete) out->mods |= kModAlt;
  return st;
}

DecodeStatus TerminalInputDecoder::DecodeCsi(std::string_view buf, bool timed_out, Decoded* out,
                                             std::size_t* used) {
  static constexpr std::size_t kMaxLength = 64;
  if (buf.size() == 2) {
    if (!timed_out) return DecodeStatus::kPartial;
    *used = 2;
    out->SetChar('[', kModAlt);
    return DecodeStatus::kComplete;
  }
  auto cut = [&]() {
    if (!timed_out) return DecodeStatus::kPartial;
    *used = buf.size();
    return DecodeStatus::kNotMine;
  };
  // The Linux console's F1-F5: Esc [ [ A .. Esc [ [ E.
  if (buf[2] == '[') {
    if (buf.size() < 4) return cut();
    *used = 4;
    if (buf[3] < 'A' || buf[3] > 'E') return DecodeStatus::kNotMine;
    out->SetSpecial(FunctionKey(buf[3] - 'A' + 1));
    return DecodeStatus::kComplete;
  }
  // Old-style mouse report: Esc [ M and three bytes.
  if (buf[2] == 'M') {
    if (buf.size() < 6) return cut();
    *used = 6;
    const int code = static_cast<uint8_t>(buf[3]) - 32;
    const bool release = (code & 3) == 3 && !(code & 64);
    if (!Mouse(code, static_cast<uint8_t>(buf[4]) - 32, static_cast<uint8_t>(buf[5]) - 32,
               !release, out)) {
      return DecodeStatus::kNotMine;
    }
    return DecodeStatus::kComplete;
  }
  std::size_t i = 2;
  while (i < buf.size() && buf[i] >= 0x30 && buf[i] <= 0x3F) ++i;
  const std::size_t params_end = i;
  while (i < buf.size() && buf[i] >= 0x20 && buf[i] <= 0x2F) ++i;
  if (i >= buf.size()) {
    if (buf.size() > kMaxLength) {
      *used = buf.size();
      return DecodeStatus::kNotMine;
    }
    return cut();
  }
  const auto final_byte = static_cast<uint8_t>(buf[i]);
  if (final_byte < 0x40 || final_byte > 0x7E) {
    // Broken off by a byte that no sequence holds: drop what came before it.
    *used = i;
    return DecodeStatus::kNotMine;
  }
  *used = i + 1;
  if (i != params_end) return DecodeStatus::kNotMine;  // intermediates: not a key
  std::string_view params = buf.substr(2, params_end - 2);
  if (!params.empty() && params[0] == '<') {
    if (final_byte != 'M' && final_byte != 'm') return DecodeStatus::kNotMine;
    std::array<int, 4> p;
    int n = 0;
    if (!ParseParams(params.substr(1), &p, &n) || n != 3 || p[0] < 0 || p[1] < 1 || p[2] < 1) {
      return DecodeStatus::kNotMine;
    }
    return Mouse(p[0], p[1], p[2], final_byte == 'M', out) ? DecodeStatus::kComplete
                                                           : DecodeStatus::kNotMine;
  }
  std::array<int, 4> p;
  int n = 0;
  if (!ParseParams(params, &p, &n)) return DecodeStatus::kNotMine;
  const int mods = ModsOf(p[1]);
  if (auto key = CursorOrFunctionKey(final_byte)) {
    out->SetSpecial(*key, mods);
    return DecodeStatus::kComplete;
  }
  switch (final_byte) {
    case 'Z': out->SetSpecial(Special::kTab, mods | kModShift); return DecodeStatus::kComplete;
    // rxvt's Shift+arrows.
    case 'a': out->SetSpecial(Special::kUp, kModShift); return DecodeStatus::kComplete;
    case 'b': out->SetSpecial(Special::kDown, kModShift); return DecodeStatus::kComplete;
    case 'c': out->SetSpecial(Special::kRight, kModShift); return DecodeStatus::kComplete;
    case 'd': out->SetSpecial(Special::kLeft, kModShift); return DecodeStatus::kComplete;
    case 'u': {
      // A key reported by code point (kitty, fixterms): "CSI code;mods u".
      if (p[0] < 0) return DecodeStatus::kNotMine;
      const int m = ModsOf(p[1]);
      switch (p[0]) {
        case 9: out->SetSpecial(Special::kTab, m); return DecodeStatus::kComplete;
        case 13: out->SetSpecial(Special::kEnter, m); return DecodeStatus::kComplete;
        case 27: out->SetSpecial(Special::kEsc, m); return DecodeStatus::kComplete;
        case 8: case 127: out->SetSpecial(Special::kBackspace, m); return DecodeStatus::kComplete;
        default: break;
      }
      uint8_t ch = 0;
      if (p[0] < 0x20 || p[0] == 0x7F || !UnicodeToCp852(static_cast<char32_t>(p[0]), &ch) ||
          ch < 0x20) {
        return DecodeStatus::kNotMine;
      }
      out->SetChar(ch, m);
      return DecodeStatus::kComplete;
    }
    case '~':
    case '^': {
      const int m = mods | (final_byte == '^' ? kModCtrl : 0);
      switch (p[0]) {
        case 1: case 7: out->SetSpecial(Special::kHome, m); return DecodeStatus::kComplete;
        case 2: out->SetSpecial(Special::kIns, m); return DecodeStatus::kComplete;
        case 3: out->SetSpecial(Special::kDel, m); return DecodeStatus::kComplete;
        case 4: case 8: out->SetSpecial(Special::kEnd, m); return DecodeStatus::kComplete;
        case 5: out->SetSpecial(Special::kPgUp, m); return DecodeStatus::kComplete;
        case 6: out->SetSpecial(Special::kPgDn, m); return DecodeStatus::kComplete;
        case 11: case 12: case 13: case 14: case 15:
          out->SetSpecial(FunctionKey(p[0] - 10), m);
          return DecodeStatus::kComplete;
        case 17: case 18: case 19: case 20: case 21:
          out->SetSpecial(FunctionKey(p[0] - 11), m);
          return DecodeStatus::kComplete;
        case 23: out->SetSpecial(Special::kF11, m); return DecodeStatus::kComplete;
        case 24: out->SetSpecial(Special::kF12, m); return DecodeStatus::kComplete;
        case 27: {
          // xterm's modifyOtherKeys: "CSI 27;mods;code~".
          if (final_byte != '~' || p[2] < 0) return DecodeStatus::kNotMine;
          std::string seq = "\x1b[" + std::to_string(p[2]) + ";" + std::to_string(p[1]) + "u";
          std::size_t ignored = 0;
          return DecodeCsi(seq, true, out, &ignored);
        }
        case 200:
          if (final_byte != '~') return DecodeStatus::kNotMine;
          in_paste_ = true;
          paste_.clear();
          return DecodeStatus::kComplete;  // nothing to deliver until the end
        default: return DecodeStatus::kNotMine;
      }
    }
    default: return DecodeStatus::kNotMine;
  }
}

DecodeStatus TerminalInputDecoder::DecodeSs3(std::string_view buf, bool timed_out, Decoded* out,
                                             std::size_t* used) {
  if (buf.size() == 2) {
    if (!timed_out) return DecodeStatus::kPartial;
    *used = 2;
    out->SetChar('O', kModAlt);
    return DecodeStatus::kComplete;
  }
  std::size_t i = 2;
  while (i < buf.size() && (IsDigit(static_cast<uint8_t>(buf[i])) || buf[i] == ';')) ++i;
  if (i >= buf.size()) {
    if (!timed_out && buf.size() < 16) return DecodeStatus::kPartial;
    *used = buf.size();
    return DecodeStatus::kNotMine;
  }
  const auto final_byte = static_cast<uint8_t>(buf[i]);
  if (final_byte < 0x40 || final_byte > 0x7E) {
    if (i == 2) {
      // Not a sequence after all: Alt+Shift+O followed by another key.
      *used = 2;
      out->SetChar('O', kModAlt);
      return DecodeStatus::kComplete;
    }
    *used = i;
    return DecodeStatus::kNotMine;
  }
  *used = i + 1;
  // Some terminals put the modifier right after "O" ("Esc O 5 A"), others as
  // a second parameter.
  std::array<int, 4> p;
  int n = 0;
  ParseParams(buf.substr(2, i - 2), &p, &n);
  const int mods = ModsOf(n >= 2 ? p[1] : p[0]);
  if (auto key = CursorOrFunctionKey(final_byte)) {
    out->SetSpecial(*key, mods);
    return DecodeStatus::kComplete;
  }
  switch (final_byte) {
    case 'M': out->SetSpecial(Special::kEnter, mods); return DecodeStatus::kComplete;
    case 'k': out->SetSpecial(Special::kPadPlus, mods); return DecodeStatus::kComplete;
    case 'm': out->SetSpecial(Special::kPadMinus, mods); return DecodeStatus::kComplete;
    case 'j': out->SetChar('*', mods); return DecodeStatus::kComplete;
    case 'o': out->SetChar('/', mods); return DecodeStatus::kComplete;
    case 'l': out->SetChar(',', mods); return DecodeStatus::kComplete;
    case 'n': out->SetChar('.', mods); return DecodeStatus::kComplete;
    case 'X': out->SetChar('=', mods); return DecodeStatus::kComplete;
    // rxvt's Ctrl+arrows.
    case 'a': out->SetSpecial(Special::kUp, kModCtrl); return DecodeStatus::kComplete;
    case 'b': out->SetSpecial(Special::kDown, kModCtrl); return DecodeStatus::kComplete;
    case 'c': out->SetSpecial(Special::kRight, kModCtrl); return DecodeStatus::kComplete;
    case 'd': out->SetSpecial(Special::kLeft, kModCtrl); return DecodeStatus::kComplete;
    default: break;
  }
  if (final_byte >= 'p' && final_byte <= 'y') {
    out->SetChar(static_cast<uint8_t>('0' + final_byte - 'p'), mods);
    return DecodeStatus::kComplete;
  }
  return DecodeStatus::kNotMine;
}

bool TerminalInputDecoder::Mouse(int code, int x, int y, bool press, Decoded* out) {
  if (code & (64 | 128)) return false;  // wheel and extra buttons
  const int button = code & 3;
  const bool motion = code & 32;
  if (!motion) {
    const uint8_t bit = button == 0 ? 1 : button == 2 ? 2 : 0;
    if (press) {
      if (bit == 0) return false;  // middle button
      buttons_down_ |= bit;
    } else {
      buttons_down_ = button == 3 ? 0 : static_cast<uint8_t>(buttons_down_ & ~bit);
    }
  }
  const int col = x - 1, row = y - 1;
  if (col < 0 || row < 0 || col >= mouse_cols_ || row >= mouse_rows_) return false;
  out->what = Decoded::What::kMouse;
  out->mouse.buttons = press && !motion ? buttons_down_ : 0;
  out->mouse.column = col;
  out->mouse.row = row;
  return true;
}

}  // namespace qz
