#include "platform/terminal_output.h"

#include <utility>

#include "text/cp852.h"

namespace qz {

namespace {

// Shown on a terminal too small for the program's screen (UTF-8).
constexpr std::string_view kEnlargeRequest = "Powiększ okno terminala do 80 x 25";

// PC colours are BGR (bit 0 blue, bit 2 red), ANSI colours RGB.
int AnsiColour(int pc) { return ((pc & 1) << 2) | (pc & 2) | ((pc & 4) >> 2); }

struct Sgr {
  int fg, bg;
  bool blink;
};

Sgr SgrOf(uint8_t attr, bool blink_as_bright) {
  const int fg = attr & 0x0F;
  Sgr s;
  s.fg = ((fg & 8) ? 90 : 30) + AnsiColour(fg & 7);
  if (blink_as_bright) {
    const int bg = (attr >> 4) & 0x0F;
    s.bg = ((bg & 8) ? 100 : 40) + AnsiColour(bg & 7);
    s.blink = false;
  } else {
    s.bg = 40 + AnsiColour((attr >> 4) & 7);
    s.blink = attr & 0x80;
  }
  return s;
}

void AppendNumber(int n, std::string* out) { *out += std::to_string(n); }

void AppendCup(int col, int row, std::string* out) {
  *out += "\x1b[";
  AppendNumber(row, out);
  out->push_back(';');
  AppendNumber(col, out);
  out->push_back('H');
}

void AppendGlyph(uint8_t ch, std::string* out) {
  char32_t g = Cp852Glyph(ch);
  if (g == 0) g = U' ';
  if (g < 0x80) {
    out->push_back(static_cast<char>(g));
  } else {
    AppendUtf8(g, out);
  }
}

int Index(int col, int row) { return (row - 1) * Screen::kCols + (col - 1); }

}  // namespace

TerminalOutput::TerminalOutput(Clock& clock, OutputSink sink)
    : clock_(clock), sink_(std::move(sink)) {}

void TerminalOutput::SetSize(int cols, int rows) {
  if (cols == cols_ && rows == rows_) return;
  cols_ = cols;
  rows_ = rows;
  full_redraw_ = true;
  small_shown_ = false;
}

void TerminalOutput::SetBlinkAsBrightBackground(bool on) {
  if (on == blink_as_bright_) return;
  blink_as_bright_ = on;
  full_redraw_ = true;
}

std::string TerminalOutput::SgrFor(uint8_t attr, bool blink_as_bright_background) {
  const Sgr s = SgrOf(attr, blink_as_bright_background);
  std::string out = "\x1b[0;";
  if (s.blink) out += "5;";
  AppendNumber(s.fg, &out);
  out.push_back(';');
  AppendNumber(s.bg, &out);
  out.push_back('m');
  return out;
}

bool TerminalOutput::FrameDue(const Screen& screen) const {
  if (!ScreenFits()) return !small_shown_;
  return full_redraw_ || !have_frame_ || screen.generation() != shown_generation_;
}

void TerminalOutput::Present(const Screen& screen) {
  if (unsent_.empty() && !FrameDue(screen)) return;
  const uint64_t now = clock_.MonotonicMs();
  if (have_frame_ && now - last_frame_ms_ < kFrameIntervalMs) return;
  Frame(screen, now);
}

void TerminalOutput::PresentNow(const Screen& screen) { Frame(screen, clock_.MonotonicMs()); }

void TerminalOutput::Frame(const Screen& screen, uint64_t now_ms) {
  if (broken_) return;
  // Counted as an attempt even when the terminal is still busy, so that a
  // stuck terminal costs one write attempt per interval, not one per call.
  last_frame_ms_ = now_ms;
  have_frame_ = true;
  if (!Flush()) return;
  if (!FrameDue(screen)) return;

  std::string out;
  if (!ScreenFits()) {
    out = "\x1b[0m\x1b[?25l\x1b[2J\x1b[H";
    // Cut to the width of the window, counting characters, not bytes.
    int shown = 0;
    for (char ch : kEnlargeRequest) {
      if ((static_cast<uint8_t>(ch) & 0xC0) != 0x80) {
        if (shown == cols_) break;
        ++shown;
      }
      out.push_back(ch);
    }
    small_shown_ = true;
    attr_ = -1;
    term_col_ = term_row_ = -1;
    cursor_shape_ = static_cast<int>(CursorShape::kHidden);
    Send(std::move(out));
    return;
  }

  if (full_redraw_) {
    // Clear with the default colours: what lies outside 80 x 25 on a larger
    // window stays blank.
    out += "\x1b[0m\x1b[2J";
    attr_ = -1;
    term_col_ = term_row_ = -1;
    cursor_shape_ = -1;
  }
  DrawCells(screen, &out);

  if (!title_set_ || screen.title() != title_) {
    Text clean;
    for (char c : screen.title()) {
      const auto u = static_cast<uint8_t>(c);
      if (u >= 0x20 && u != 0x7F) clean.push_back(c);  // no control bytes into the OSC
    }
    out += "\x1b]2;";
    out += Cp852ToUtf8(clean);
    out += "\x07";
    title_ = screen.title();
    title_set_ = true;
  }

  const CursorShape shape = screen.cursor_shape();
  if (shape == CursorShape::kHidden) {
    if (cursor_shape_ != static_cast<int>(CursorShape::kHidden)) out += "\x1b[?25l";
  } else {
    if (term_col_ != screen.cursor_col() || term_row_ != screen.cursor_row() ||
        cursor_shape_ != static_cast<int>(shape)) {
      AppendCup(screen.cursor_col(), screen.cursor_row(), &out);
      term_col_ = screen.cursor_col();
      term_row_ = screen.cursor_row();
    }
    if (cursor_shape_ != static_cast<int>(shape)) {
      // A small cursor as an underline, the half-cell one as a block.
      out += shape == CursorShape::kSmall ? "\x1b[3 q" : "\x1b[1 q";
      out += "\x1b[?25h";
    }
  }
  cursor_shape_ = static_cast<int>(shape);

  full_redraw_ = false;
  shown_generation_ = screen.generation();
  if (out.empty()) return;
  ++frames_;
  Send(std::move(out));
}

void TerminalOutput::DrawCells(const Screen& screen, std::string* out) {
  const bool all = full_redraw_;
  for (int row = 1; row <= Screen::kRows; ++row) {
    for (int col = 1; col <= Screen::kCols; ++col) {
      const Cell& cell = screen.At(col, row);
      Cell& shown = shown_[Index(col, row)];
      if (!all && shown == cell) continue;
      if (term_row_ != row || term_col_ != col) {
        // Relative moves count from a known cell of this row only.
        const bool known = term_row_ == row && term_col_ >= 1;
        const int gap = col - term_col_;
        bool filled = false;
        if (known && gap > 0 && gap <= 3) {
          // Rewriting a few unchanged cells is shorter than a cursor move.
          filled = true;
          for (int c = term_col_; c < col; ++c) {
            const Cell& s = shown_[Index(c, row)];
            if (s.attr != attr_ || s.ch < 0x20 || s.ch >= 0x7F) filled = false;
          }
          if (filled) {
            for (int c = term_col_; c < col; ++c) out->push_back(static_cast<char>(shown_[Index(c, row)].ch));
          }
        }
        if (!filled) {
          if (known && gap > 0) {
            *out += "\x1b[";
            if (gap > 1) AppendNumber(gap, out);
            out->push_back('C');
          } else {
            AppendCup(col, row, out);
          }
        }
      }
      SetAttr(cell.attr, out);
      AppendGlyph(cell.ch, out);
      shown = cell;
      // After the last column the cursor is not one further: with auto-wrap
      // off it stays there (a terminal that ignores the mode wraps instead),
      // so the next cell is reached with an absolute move.
      if (col < Screen::kCols) {
        term_row_ = row;
        term_col_ = col + 1;
      } else {
        term_row_ = term_col_ = -1;
      }
    }
  }
}

void TerminalOutput::SetAttr(uint8_t attr, std::string* out) {
  if (attr_ == attr) return;
  const Sgr want = SgrOf(attr, blink_as_bright_);
  if (attr_ < 0) {
    *out += SgrFor(attr, blink_as_bright_);
  } else {
    const Sgr have = SgrOf(static_cast<uint8_t>(attr_), blink_as_bright_);
    std::string parts;
    auto add = [&parts](int n) {
      if (!parts.empty()) parts.push_back(';');
      AppendNumber(n, &parts);
    };
    if (want.blink != have.blink) add(want.blink ? 5 : 25);
    if (want.fg != have.fg) add(want.fg);
    if (want.bg != have.bg) add(want.bg);
    if (!parts.empty()) {
      *out += "\x1b[";
      *out += parts;
      out->push_back('m');
    }
  }
  attr_ = attr;
}

void TerminalOutput::SendRaw(std::string_view bytes) {
  if (broken_) return;
  unsent_.append(bytes);
  Flush();
}

void TerminalOutput::Send(std::string bytes) {
  if (unsent_.empty()) unsent_ = std::move(bytes);
  else unsent_ += bytes;
  Flush();
}

bool TerminalOutput::Flush() {
  if (broken_) return true;
  if (unsent_.empty()) return true;
  const long n = sink_(unsent_);
  if (n < 0) {
    broken_ = true;
    unsent_.clear();
    return true;
  }
  bytes_sent_ += static_cast<uint64_t>(n);
  unsent_.erase(0, static_cast<std::size_t>(n));
  return unsent_.empty();
}

}  // namespace qz
