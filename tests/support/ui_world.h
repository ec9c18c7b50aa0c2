#ifndef QZ_TESTS_SUPPORT_UI_WORLD_H_
#define QZ_TESTS_SUPPORT_UI_WORLD_H_

#include <string>
#include <vector>

#include "platform/headless_console.h"
#include "platform/posix_file_system.h"
#include "text/cp852.h"
#include "ui/ui.h"

namespace qz {

/// A headless console that keeps a copy of the screen each time the program
/// takes an input record (what the user saw when pressing that key), and
/// can hold the input back for a number of idle polls, advancing the clock
/// by each poll's wait.
class RecordingConsole : public HeadlessConsole {
 public:
  explicit RecordingConsole(VirtualClock* clock) : HeadlessConsole(clock), clock_(clock) {}

  bool ReadInput(InputRecord* out) override {
    if (idle_polls > 0) return false;
    if (!HeadlessConsole::ReadInput(out)) return false;
    frames.push_back(screen());
    return true;
  }
  void WaitForInput(int ms) override {
    if (idle_polls > 0) {
      --idle_polls;
      clock_->Advance(static_cast<uint64_t>(ms));
      return;
    }
    HeadlessConsole::WaitForInput(ms);
  }
  /// Pushes one key with an exact shift-state byte (`ahead`: typed ahead).
  void Key(uint16_t code, uint8_t shift_state, bool ahead = false) {
    InputRecord r;
    r.kind = InputRecord::Kind::kKey;
    r.key = KeyStroke{code, shift_state};
    ahead ? PushAhead(r) : Push(r);
  }
  /// Pushes a mouse record (0-based cell, as the console delivers it;
  /// `ahead`: arrived already, as part of a burst).
  void Mouse(uint8_t buttons, int col0, int row0, bool ahead = false) {
    InputRecord r;
    r.kind = InputRecord::Kind::kMouse;
    r.mouse = MouseRecord{buttons, col0, row0};
    ahead ? PushAhead(r) : Push(r);
  }

  std::vector<Screen> frames;
  int idle_polls = 0;

 private:
  VirtualClock* clock_;
};

/// A user interface on a recording console, for tests of the screen layer,
/// pages and boxes.
struct UiWorld {
  VirtualClock clock;
  RecordingConsole console{&clock};
  ProcessInfo process;
  PosixFileSystem fs;
  Platform platform{fs, console, clock, process};
  Ui ui{platform};

  Screen& screen() { return console.screen(); }
  /// Row `row` of the current screen as UTF-8.
  std::string Row(int row) { return screen().RowUtf8(row); }
  /// `n` cells of row `row` from column `col`, as UTF-8 glyphs.
  std::string Seg(int row, int col, int n) {
    return Cp852GlyphsToUtf8(screen().RowText(row).substr(static_cast<std::size_t>(col - 1),
                                                          static_cast<std::size_t>(n)));
  }
  /// The same on the screen as it was when input record `frame` was taken.
  std::string FrameSeg(std::size_t frame, int row, int col, int n) {
    return Cp852GlyphsToUtf8(console.frames.at(frame).RowText(row).substr(
        static_cast<std::size_t>(col - 1), static_cast<std::size_t>(n)));
  }
  /// Row `row` of the screen as it was when input record `frame` (0-based)
  /// was taken.
  std::string FrameRow(std::size_t frame, int row) { return console.frames.at(frame).RowUtf8(row); }
};

}  // namespace qz

#endif  // QZ_TESTS_SUPPORT_UI_WORLD_H_
