#include "platform/terminal_output.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/cp852.h"

namespace qz {
namespace {

// A small terminal that understands what the presenter sends: cursor moves,
// SGR, clearing, titles, cursor shape and visibility, UTF-8 glyphs; no
// auto-wrap. Comparing it with the `Screen` proves that the differences sent
// add up to the whole picture.
class FakeTerminal {
 public:
  struct Look {
    int fg = 39, bg = 49;
    bool blink = false;
    bool operator==(const Look&) const = default;
  };
  struct Shown {
    char32_t glyph = U' ';
    Look look;
  };

  FakeTerminal() { Clear(); }

  void Feed(std::string_view bytes) {
    for (char ch : bytes) Byte(static_cast<uint8_t>(ch));
  }

  static Look LookOf(std::string_view sgr) {
    FakeTerminal t;
    t.Feed(sgr);
    return t.look_;
  }

  const Shown& At(int col, int row) const { return cells_[(row - 1) * 80 + (col - 1)]; }
  std::string title;
  int col = 1, row = 1;
  bool cursor_visible = true;
  int cursor_style = 0;
  int clears = 0;
  std::string text;  // every glyph printed, in UTF-8

 private:
  void Clear() {
    cells_.assign(80 * 25, Shown{});
    ++clears;
  }

  void Byte(uint8_t b) {
    switch (state_) {
      case State::kText:
        if (b == 0x1B) {
          state_ = State::kEsc;
        } else if (b >= 0x80) {
          utf8_.push_back(static_cast<char>(b));
          std::size_t need = (utf8_[0] & 0xE0) == 0xC0 ? 2 : (utf8_[0] & 0xF0) == 0xE0 ? 3 : 4;
          if (utf8_.size() == need) Put(utf8_), utf8_.clear();
        } else if (b >= 0x20) {
          Put(std::string(1, static_cast<char>(b)));
        }
        break;
      case State::kEsc:
        if (b == '[') state_ = State::kCsi, seq_.clear();
        else if (b == ']') state_ = State::kOsc, seq_.clear();
        else state_ = State::kText;
        break;
      case State::kCsi:
        if (b >= 0x40 && b <= 0x7E) {
          Csi(seq_, static_cast<char>(b));
          state_ = State::kText;
        } else {
          seq_.push_back(static_cast<char>(b));
        }
        break;
      case State::kOsc:
        if (b == 0x07) {
          if (seq_.rfind("2;", 0) == 0) title = seq_.substr(2);
          state_ = State::kText;
        } else {
          seq_.push_back(static_cast<char>(b));
        }
        break;
    }
  }

  std::vector<int> Numbers(const std::string& s) {
    std::vector<int> out{0};
    for (char c : s) {
      if (c == ';') out.push_back(0);
      else if (c >= '0' && c <= '9') out.back() = out.back() * 10 + (c - '0');
    }
    return out;
  }

  void Csi(const std::string& p, char f) {
    if (f == 'q' && !p.empty() && p.back() == ' ') {
      cursor_style = Numbers(p)[0];
      return;
    }
    if (!p.empty() && p[0] == '?') {
      if (p == "?25" && f == 'l') cursor_visible = false;
      if (p == "?25" && f == 'h') cursor_visible = true;
      return;
    }
    std::vector<int> n = Numbers(p);
    switch (f) {
      case 'H':
        row = n.size() > 0 && n[0] ? n[0] : 1;
        col = n.size() > 1 && n[1] ? n[1] : 1;
        break;
      case 'C': col = std::min(80, col + (n[0] ? n[0] : 1)); break;
      case 'J': if (n[0] == 2) Clear(); break;
      case 'm':
        for (int v : n) {
          if (v == 0) look_ = Look{};
          else if (v == 5) look_.blink = true;
          else if (v == 25) look_.blink = false;
          else if ((v >= 30 && v <= 37) || (v >= 90 && v <= 97)) look_.fg = v;
          else if ((v >= 40 && v <= 47) || (v >= 100 && v <= 107)) look_.bg = v;
        }
        break;
      default: break;
    }
  }

  void Put(const std::string& utf8) {
    text += utf8;
    char32_t g = U'?';
    if (utf8.size() == 1) g = static_cast<unsigned char>(utf8[0]);
    else {
      // Decode the code point back.
      char32_t c = 0;
      auto u0 = static_cast<unsigned char>(utf8[0]);
      c = utf8.size() == 2 ? (u0 & 0x1F) : utf8.size() == 3 ? (u0 & 0x0F) : (u0 & 0x07);
      for (std::size_t i = 1; i < utf8.size(); ++i) c = (c << 6) | (utf8[i] & 0x3F);
      g = c;
    }
    if (row >= 1 && row <= 25 && col >= 1 && col <= 80) cells_[(row - 1) * 80 + (col - 1)] = {g, look_};
    if (col < 80) ++col;
  }

  enum class State { kText, kEsc, kCsi, kOsc } state_ = State::kText;
  std::string seq_, utf8_;
  Look look_;
  std::vector<Shown> cells_;
};

// Expects the fake terminal to show exactly the screen.
void ExpectShows(const FakeTerminal& t, const Screen& s) {
  static const std::vector<FakeTerminal::Look> looks = [] {
    std::vector<FakeTerminal::Look> v;
    for (int a = 0; a < 256; ++a) {
      v.push_back(FakeTerminal::LookOf(TerminalOutput::SgrFor(static_cast<uint8_t>(a))));
    }
    return v;
  }();
  int wrong = 0;
  for (int r = 1; r <= 25; ++r) {
    for (int c = 1; c <= 80; ++c) {
      const Cell& cell = s.At(c, r);
      char32_t g = Cp852Glyph(cell.ch);
      if (g == 0) g = U' ';
      const FakeTerminal::Look& look = looks[cell.attr];
      if ((t.At(c, r).glyph != g || !(t.At(c, r).look == look)) && ++wrong <= 3) {
        ADD_FAILURE() << "cell " << c << "," << r << " shows U+" << std::hex
                      << uint32_t(t.At(c, r).glyph) << " instead of U+" << uint32_t(g);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

// An output sink into the fake terminal, optionally taking only `limit`
// bytes per write (a terminal that falls behind), or none when `full`.
struct Sink {
  FakeTerminal term;
  std::vector<std::string> writes;
  std::size_t limit = 0;
  bool full = false;
  OutputSink Fn() {
    return [this](std::string_view b) -> long {
      if (full) return 0;
      std::size_t n = limit ? std::min(limit, b.size()) : b.size();
      writes.emplace_back(b.substr(0, n));
      term.Feed(b.substr(0, n));
      return static_cast<long>(n);
    };
  }
};

void LogLine(Screen* s, int i) {
  // What the progress log does: scroll its area and write the new line.
  s->ScrollUp(1, 3, 80, 24, 0x07);
  s->Write(1, 24, "Kopiuje DANE_PR8.REK rekord "_cp + std::to_string(i), static_cast<uint8_t>(0x07 + (i % 3)));
}

TEST(TerminalOutput, AfterAFullFrameOneChangedCellIsAShortUpdate) {
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  screen.Fill(1, 1, 80, 25, Cell{0xB1, 0x17});
  screen.Write(3, 2, "Zażółć gęślą jaźń ┌─┐"_cp, 0x4F);
  screen.Write(1, 25, " F1 Pomoc │ Esc Wyjście"_cp, 0x70);
  out.PresentNow(screen);
  ASSERT_EQ(sink.writes.size(), 1u);  // one write per frame
  EXPECT_EQ(sink.term.clears, 2);
  ExpectShows(sink.term, screen);

  screen.Set(40, 12, Cell{'X', 0x1E});
  const uint64_t before = out.bytes_sent();
  out.PresentNow(screen);
  EXPECT_LE(out.bytes_sent() - before, 20u) << sink.writes.back();
  ExpectShows(sink.term, screen);

  // Nothing changed: nothing sent.
  out.PresentNow(screen);
  EXPECT_EQ(sink.writes.size(), 2u);
}

TEST(TerminalOutput, BusyLogGetsAFewFramesAndEndsRight) {
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  for (int i = 0; i < 10000; ++i) {
    LogLine(&screen, i);
    out.Present(screen);
    clock.Advance(1);
  }
  EXPECT_LE(out.frames(), 520u);
  EXPECT_GE(out.frames(), 100u);
  out.PresentNow(screen);
  ExpectShows(sink.term, screen);
}

TEST(TerminalOutput, SlowTerminalHoldsFramesBackWithoutLosingChanges) {
  VirtualClock clock;
  Sink sink;
  sink.limit = 700;  // takes less than a scrolled frame per write
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  for (int i = 0; i < 2000; ++i) {
    LogLine(&screen, i);
    out.Present(screen);
    clock.Advance(1);
  }
  // Frames were skipped while the terminal was behind...
  EXPECT_LT(out.frames(), 100u);
  // ...and once it catches up, it shows the final screen.
  for (int i = 0; i < 100 && (out.HasUnsent() || out.FrameDue(screen)); ++i) out.PresentNow(screen);
  EXPECT_FALSE(out.HasUnsent());
  ExpectShows(sink.term, screen);

  // A terminal that takes nothing at all does not stop the program.
  sink.full = true;
  for (int i = 0; i < 1000; ++i) {
    LogLine(&screen, i);
    out.Present(screen);
    clock.Advance(1);
  }
  sink.full = false;
  for (int i = 0; i < 100 && (out.HasUnsent() || out.FrameDue(screen)); ++i) out.PresentNow(screen);
  ExpectShows(sink.term, screen);
}

// With auto-wrap off the terminal's cursor stays on column 80 after a glyph
// there. The clock in the top-right corner ends every second on that cell
// while the cursor is hidden; the next frame must not count a move to the
// left part of a row from there (the per-firm screen replacing the program
// header once ended up drawn on column 80 alone).
TEST(TerminalOutput, FrameAfterTheLastColumnStartsFromAKnownPlace) {
  for (int row : {1, 2}) {
    for (int col : {1, 2, 3, 5, 40, 80}) {
      SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(col));
      VirtualClock clock;
      Sink sink;
      TerminalOutput out(clock, sink.Fn());
      Screen screen;
      screen.SetCursorShape(CursorShape::kHidden);
      screen.Fill(1, 1, 80, 2, Cell{'-', 0x07});
      screen.Write(1, row, " PROGRAM DO PRZEPCHNIĘCIA DANYCH"_cp, 0x0F);
      screen.Write(73, row, "13:23:38", 0x0F);
      out.PresentNow(screen);
      screen.Write(80, row, "9", 0x0F);  // the clock ticks
      out.PresentNow(screen);
      screen.Set(col, row, Cell{'K', 0x07});
      out.PresentNow(screen);
      ExpectShows(sink.term, screen);
    }
  }
  // The whole header row replaced, as the per-firm loop does.
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  screen.SetCursorShape(CursorShape::kHidden);
  screen.Write(1, 1, " PROGRAM DO PRZEPCHNIĘCIA DANYCH RUR_QZ Z ROKU 2018 NA 2019"_cp, 0x0F);
  screen.Write(73, 1, "13:23:38", 0x0F);
  out.PresentNow(screen);
  screen.Write(73, 1, "13:23:39", 0x0F);
  out.PresentNow(screen);
  screen.Fill(1, 1, 80, 25, Cell{' ', 0x07});
  screen.Write(1, 1, "Kopiowanie  - FIRMA   : Piekarnia \"Złoty Kłos\" s.c."_cp, 0x07);
  out.PresentNow(screen);
  ExpectShows(sink.term, screen);
}

// Whatever the program draws, frame after frame, and however little the
// terminal takes per write, the terminal ends up showing the screen.
TEST(TerminalOutput, RandomDrawingStaysInStepWithTheTerminal) {
  std::mt19937 rng(1819);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  // Few rows, so that a frame often goes on in the row the last one ended in.
  auto row = [&pick] { return pick(1, 4); };
  const Text samples[] = {"13:23:38", "Zając ▒▒ ■ ˙ §"_cp,
                          "──┐", " ", "\x01\x0e\x15\x7f\xf0\xff"};
  for (int step = 0; step < 3000; ++step) {
    switch (pick(0, 7)) {
      case 0: {  // text ending on the last column
        const Text& t = samples[pick(0, 4)];
        screen.Write(81 - static_cast<int>(t.size()), row(), t, static_cast<uint8_t>(pick(0, 255)));
        break;
      }
      case 1:
      case 2:
        screen.Write(pick(1, 80), row(), samples[pick(0, 4)], static_cast<uint8_t>(pick(0, 255)));
        break;
      case 3:
        screen.Set(pick(1, 80), row(),
                   Cell{static_cast<uint8_t>(pick(0, 255)), static_cast<uint8_t>(pick(0, 255))});
        break;
      case 4: {
        const int c = pick(1, 80), r = row();
        screen.Fill(c, r, pick(c, 80), pick(r, 4), Cell{' ', static_cast<uint8_t>(pick(0, 3) * 16 + 7)});
        break;
      }
      case 5:
        screen.ScrollUp(1, 2, 80, 4, 0x07);
        break;
      case 6:
        screen.SetCursorShape(pick(0, 2) ? CursorShape::kHidden : CursorShape::kSmall);
        screen.SetCursor(pick(1, 80), pick(1, 25));
        break;
      default:
        sink.limit = pick(0, 3) == 0 ? static_cast<std::size_t>(pick(1, 300)) : 0;
        break;
    }
    clock.Advance(static_cast<uint64_t>(pick(0, 30)));
    out.Present(screen);
    if (step % 10 == 9) {
      sink.limit = 0;
      while (out.HasUnsent() || out.FrameDue(screen)) out.PresentNow(screen);
      ExpectShows(sink.term, screen);
      if (screen.cursor_shape() != CursorShape::kHidden) {
        EXPECT_EQ(sink.term.col, screen.cursor_col());
        EXPECT_EQ(sink.term.row, screen.cursor_row());
      }
      if (HasFailure()) return;  // one diverged frame is enough to look at
    }
  }
}

TEST(TerminalOutput, ColoursAreSwappedToRgbWithBrightAndBlink) {
  struct Case {
    uint8_t attr;
    bool bright_background;
    const char* sgr;
  } cases[] = {
      {0x07, false, "\x1b[0;37;40m"},    // light grey on black
      {0x01, false, "\x1b[0;34;40m"},    // PC blue (bit 0) is ANSI blue (4)
      {0x04, false, "\x1b[0;31;40m"},    // PC red (bit 2) is ANSI red (1)
      {0x06, false, "\x1b[0;33;40m"},    // brown/yellow stays 3
      {0x1F, false, "\x1b[0;97;44m"},    // bright white on blue
      {0x4E, false, "\x1b[0;93;41m"},    // yellow on red
      {0x0C, false, "\x1b[0;91;40m"},    // bright red
      {0x09, false, "\x1b[0;94;40m"},    // bright blue
      {0x70, false, "\x1b[0;30;47m"},
      {0xCE, false, "\x1b[0;5;93;41m"},  // blink: background from bits 4-6
      {0xCE, true, "\x1b[0;93;101m"},    // or a bright background
      {0x9B, true, "\x1b[0;96;104m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.attr));
    EXPECT_EQ(TerminalOutput::SgrFor(c.attr, c.bright_background), c.sgr);
  }

  // Between cells only the parts that change are sent.
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  out.PresentNow(screen);
  screen.Write(1, 1, "a", 0x17);
  screen.Write(2, 1, "b", 0x1E);
  screen.Write(3, 1, "c", 0x9E);
  out.PresentNow(screen);
  EXPECT_NE(sink.writes.back().find("a\x1b[93mb\x1b[5mc"), std::string::npos) << sink.writes.back();
  ExpectShows(sink.term, screen);
}

TEST(TerminalOutput, SmallWindowShowsARequestUntilLargeEnough) {
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  screen.Write(1, 1, "Nagłówek"_cp, 0x0A);
  out.PresentNow(screen);

  out.SetSize(70, 25);
  out.PresentNow(screen);
  EXPECT_NE(sink.term.text.find("Powiększ okno terminala do 80 x 25"), std::string::npos);
  EXPECT_FALSE(sink.term.cursor_visible);
  const std::size_t writes = sink.writes.size();
  screen.Write(1, 2, "zmiana", 0x07);
  out.PresentNow(screen);  // nothing drawn while too small
  EXPECT_EQ(sink.writes.size(), writes);

  out.SetSize(20, 10);  // the request is cut to the width
  out.PresentNow(screen);
  EXPECT_EQ(sink.writes.back().substr(sink.writes.back().size() - 21), "Powiększ okno termin");

  out.SetSize(100, 40);  // larger than needed: drawn at the top-left
  out.PresentNow(screen);
  ExpectShows(sink.term, screen);
}

TEST(TerminalOutput, TitleAndCursor) {
  VirtualClock clock;
  Sink sink;
  TerminalOutput out(clock, sink.Fn());
  Screen screen;
  screen.SetTitle("qzTarvo - Konwerter 2018-2019 \x1b]0;zło\x07"_cp);
  screen.SetCursorShape(CursorShape::kHidden);
  out.PresentNow(screen);
  EXPECT_EQ(sink.term.title, "qzTarvo - Konwerter 2018-2019 ]0;zło");
  EXPECT_FALSE(sink.term.cursor_visible);

  screen.SetCursorShape(CursorShape::kSmall);
  screen.SetCursor(10, 5);
  out.PresentNow(screen);
  EXPECT_TRUE(sink.term.cursor_visible);
  EXPECT_EQ(sink.term.cursor_style, 3);  // underline
  EXPECT_EQ(sink.term.col, 10);
  EXPECT_EQ(sink.term.row, 5);

  screen.SetCursorShape(CursorShape::kHalf);
  screen.Write(1, 1, "abc", 0x07);  // drawing moves the terminal's cursor
  out.PresentNow(screen);
  EXPECT_EQ(sink.term.cursor_style, 1);  // block
  EXPECT_EQ(sink.term.col, 10);
  EXPECT_EQ(sink.term.row, 5);
}

TEST(TerminalOutput, GoneTerminalIsLeftAlone) {
  VirtualClock clock;
  int calls = 0;
  TerminalOutput out(clock, [&calls](std::string_view) -> long {
    ++calls;
    return -1;
  });
  Screen screen;
  out.PresentNow(screen);
  screen.Write(1, 1, "x", 0x07);
  out.PresentNow(screen);
  out.SendRaw("\x07");
  EXPECT_TRUE(out.broken());
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace qz
