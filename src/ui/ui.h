#ifndef QZ_UI_UI_H_
#define QZ_UI_UI_H_

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "ui/colours.h"
#include "ui/ui_event.h"
#include "ui/window.h"

namespace qz {

class HintBar;
class ProgressLog;

/// The program-wide user-interface state and the screen/keyboard layer: the
/// colour set, the event reader, hint bars, windows, sound. One instance,
/// owned by the run's `Context`.
class Ui {
 public:
  /// Default width of the input box's input line.
  static constexpr int kInputBoxWidth = 37;
  /// Capacity of the input lines' own clipboard.
  static constexpr std::size_t kClipboardMax = 128;

  explicit Ui(Platform& platform);
  ~Ui();
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;

  Platform& platform() { return platform_; }
  Screen& screen() { return platform_.console.screen(); }

  // ---- Colours ----
  ColourSet& colours() { return colours_; }
  const ColourPair& label_pair() const { return label_pair_; }
  const ColourPair& input_pair() const { return input_pair_; }
  /// Fills the label pair ([0], [1]) and the input pair ([2], [3]) from the set.
  void FillColourPairs();
  /// Loads "kolory.qz" from `program_dir` over the defaults (a missing or
  /// short file, or one whose first four bytes are zero, leaves the
  /// defaults), fills the pairs and gives the log its normal colour [0].
  void LoadColours(const Text& program_dir, ProgressLog& log);

  // ---- Writing ----
  /// Writes `text` at (x, y) in `attr`: relative to the current window's
  /// inner area and cut at its edge, or absolute when no window is current.
  /// Hides the cursor.
  void WriteAt(uint8_t attr, int x, int y, TextView text);
  /// `WriteAt` keeping the attributes already on the screen.
  void WriteTextAt(int x, int y, TextView text);
  /// Cursor shapes: small (insert mode), half (overwrite), hidden.
  void CursorSmall() { screen().SetCursorShape(CursorShape::kSmall); }
  void CursorHalf() { screen().SetCursorShape(CursorShape::kHalf); }
  void CursorHidden() { screen().SetCursorShape(CursorShape::kHidden); }
  /// The cursor shape of input lines: small in insert mode, half otherwise.
  void CursorForInput() { insert_mode_ ? CursorSmall() : CursorHalf(); }

  // ---- Windows ----
  /// Opens a window for the outer rectangle (x1, y1)-(x2, y2), draws it and
  /// makes it current; null (nothing drawn) when the rectangle does not fit
  /// the screen. `framed` puts a single-line frame on the outer cells with
  /// `title` (if any) centred on the top line.
  Window* OpenBox(const Text& title, uint8_t title_attr, uint8_t frame_attr, uint8_t text_attr,
                  bool framed, int x1, int y1, int x2, int y2);
  /// Erases the window (the screen under it comes back) and releases it;
  /// the window opened before it becomes current. Null does nothing.
  void CloseBox(Window* window);
  /// Draws the window again (blank inner area).
  void RedrawBox(Window* window);
  /// The window `WriteAt` and mouse positions refer to (null: the screen).
  Window* current_window() const { return current_; }
  void SetCurrentWindow(Window* window) { current_ = window; }
  /// Writes into `window` regardless of which window is current.
  void WriteIn(const Window* window, uint8_t attr, int x, int y, TextView text);
  /// Puts the cursor at the inner position (x, y) of `window`.
  void PlaceCursor(const Window* window, int x, int y);

  // ---- Events ----
  /// Waits for a key, a mouse press or a hint-bar command. While idle it
  /// waits 64 ms at a time and keeps the clock on row 1 running.
  void GetEvent(UiEvent* event);
  /// Discards the keys typed ahead (before a box is shown).
  void FlushKeys();

  // ---- Hint bars ----
  HintBar* current_hint() const { return hint_; }
  void set_current_hint(HintBar* bar) { hint_ = bar; }
  /// Blanks the status row (row 25) in colour [10].
  void ClearStatusRow();

  // ---- Input line state shared by every input line ----
  bool insert_mode() const { return insert_mode_; }
  void set_insert_mode(bool on) { insert_mode_ = on; }
  const Text& clipboard() const { return clipboard_; }
  void set_clipboard(TextView text);
  /// Width of the next input box's input line (1..36; otherwise kept).
  void SetInputBoxWidth(int width);
  int input_box_width() const { return input_box_width_; }
  void ResetInputBoxWidth() { input_box_width_ = kInputBoxWidth; }

  // ---- Sound ----
  /// Sound is off when the environment variable "QZSOUND" is exactly "OFF".
  void ReadSoundSwitch();
  bool sound_off() const { return sound_off_; }
  void set_sound_off(bool off) { sound_off_ = off; }
  /// A tone of `frequency` Hz for `units` * 48 ms, unless sound is off.
  void Beep(int frequency, int units);
  void ErrorBeep() { Beep(500, 6); }

  // ---- Text window of plain writes and scrolling ----
  /// Sets the text window to (x1, y1)-(x2, y2) and returns the previous one.
  std::array<uint8_t, 4> SaveTextWindow(int x1, int y1, int x2, int y2);
  void RestoreTextWindow(const std::array<uint8_t, 4>& saved) { text_window_ = saved; }
  const std::array<uint8_t, 4>& text_window() const { return text_window_; }

 private:
  bool NextRecord(InputRecord* record);
  void RunClock();

  Platform& platform_;
  ColourSet colours_;
  ColourPair label_pair_;
  ColourPair input_pair_;
  bool insert_mode_ = true;
  Text clipboard_;
  bool sound_off_ = false;
  int input_box_width_ = kInputBoxWidth;
  HintBar* hint_ = nullptr;
  std::vector<std::unique_ptr<Window>> windows_;
  Window* current_ = nullptr;
  std::array<uint8_t, 4> text_window_ = {1, 1, 80, 25};
  std::deque<InputRecord> held_;  // keys read past while dropping mouse records
  int clock_second_ = -1;
};

}  // namespace qz

#endif  // QZ_UI_UI_H_
