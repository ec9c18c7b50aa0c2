#ifndef QZ_PLATFORM_TERMINAL_OUTPUT_H_
#define QZ_PLATFORM_TERMINAL_OUTPUT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/screen.h"

namespace qz {

/// Where the bytes of a frame go. Takes what the terminal accepts now and
/// returns how many bytes that was: 0 when it accepts nothing yet (a full
/// output queue), -1 when the terminal is gone.
using OutputSink = std::function<long(std::string_view bytes)>;

/// Shows the program's `Screen` on an ANSI terminal. It keeps a copy of what
/// the terminal shows and sends only the cells that changed, with their
/// colours as SGR and their CP852 bytes as the UTF-8 of the PC glyphs, then
/// the cursor and the window title, all in one write per frame. While busy
/// the program presents far more often than a terminal can follow, so frames
/// are limited to one per `kFrameIntervalMs`, and a frame the terminal has
/// not taken yet holds back the next: the changes pile up in the screen and
/// go out together later, so the program never waits for the terminal.
class TerminalOutput {
 public:
  static constexpr uint64_t kFrameIntervalMs = 20;

  TerminalOutput(Clock& clock, OutputSink sink);

  /// The terminal's size in cells. Smaller than 80 x 25 shows only a request
  /// to enlarge the window; any change redraws everything on the next frame.
  void SetSize(int cols, int rows);
  bool ScreenFits() const { return cols_ >= Screen::kCols && rows_ >= Screen::kRows; }
  /// Forgets what the terminal shows: the next frame draws everything.
  void Invalidate() { full_redraw_ = true; }
  /// Shows the blink bit as a bright background (as a PC with blinking
  /// switched off does) instead of as blinking text.
  void SetBlinkAsBrightBackground(bool on);

  /// Sends the changes if the last frame is at least `kFrameIntervalMs` old.
  void Present(const Screen& screen);
  /// Sends the changes now, unless the terminal still holds back the last
  /// frame (then they go with a later one).
  void PresentNow(const Screen& screen);
  /// Queues bytes to send as they are (bell, clipboard) and tries to send them.
  void SendRaw(std::string_view bytes);
  /// Sends what the terminal did not take before; true when nothing is left.
  bool Flush();
  bool HasUnsent() const { return !unsent_.empty(); }
  /// True when the screen changed since the last frame sent.
  bool FrameDue(const Screen& screen) const;
  /// The terminal did not take output any more (the sink said -1).
  bool broken() const { return broken_; }

  uint64_t frames() const { return frames_; }
  uint64_t bytes_sent() const { return bytes_sent_; }

  /// The SGR sequence for a PC text attribute, with every part set.
  static std::string SgrFor(uint8_t attr, bool blink_as_bright_background = false);

 private:
  void Frame(const Screen& screen, uint64_t now_ms);
  void DrawCells(const Screen& screen, std::string* out);
  void SetAttr(uint8_t attr, std::string* out);
  void Send(std::string bytes);

  Clock& clock_;
  OutputSink sink_;
  std::string unsent_;
  int cols_ = Screen::kCols, rows_ = Screen::kRows;
  bool full_redraw_ = true;
  bool small_shown_ = false;
  bool blink_as_bright_ = false;
  bool broken_ = false;
  bool have_frame_ = false;
  uint64_t last_frame_ms_ = 0;
  uint64_t shown_generation_ = 0;

  // What the terminal shows.
  std::array<Cell, Screen::kCols * Screen::kRows> shown_{};
  int attr_ = -1;  // current SGR state; -1 unknown
  int term_col_ = -1, term_row_ = -1;  // where the next glyph lands; -1 unknown
  int cursor_shape_ = -1;               // CursorShape shown; -1 unknown
  Text title_;
  bool title_set_ = false;

  uint64_t frames_ = 0;
  uint64_t bytes_sent_ = 0;
};

}  // namespace qz

#endif  // QZ_PLATFORM_TERMINAL_OUTPUT_H_
