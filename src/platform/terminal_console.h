#ifndef QZ_PLATFORM_TERMINAL_CONSOLE_H_
#define QZ_PLATFORM_TERMINAL_CONSOLE_H_

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/terminal_input.h"
#include "platform/terminal_output.h"

namespace qz {

/// Thrown while waiting for input when the terminal is gone (its input
/// ended or hung up) or was already handed back by `Restore`: no key can
/// come any more, and waiting on would spin for ever.
class TerminalLost : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The console on a POSIX terminal (xterm, VTE, tmux, the Linux console).
/// While open the terminal is in raw mode on its alternate screen, with
/// mouse reporting and bracketed paste on; the program's screen is drawn at
/// its top-left corner. `Restore` gives the terminal back as it was; it runs
/// from the destructor as well, and a SIGINT, SIGTERM or SIGHUP restores the
/// terminal before the signal ends the process.
class TerminalConsole : public Console {
 public:
  /// Takes over the terminal of standard input and output. Returns null and
  /// a message (UTF-8, for the user) when either is not a terminal or the
  /// window is smaller than 80 x 25.
  static std::unique_ptr<TerminalConsole> Open(Clock& clock, std::string* error);
  /// The same on the given descriptors (tests open a pseudo-terminal).
  static std::unique_ptr<TerminalConsole> OpenOn(Clock& clock, int in_fd, int out_fd,
                                                 std::string* error);

  ~TerminalConsole() override;
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  /// Sends what is left of the screen, then puts the terminal back as it
  /// was: normal screen, cursor, mouse and paste modes off, saved terminal
  /// settings and signal handlers. Lines written by `PrintLine` are printed
  /// again on the normal screen, so that they stay readable. Safe to call
  /// more than once.
  void Restore();

  Screen& screen() override { return screen_; }
  bool ReadInput(InputRecord* out) override;
  bool InputPending() override;
  void WaitForInput(int ms) override;
  void Present() override;
  /// Rings the terminal's bell (the tone's pitch and length cannot be had).
  void Beep(int frequency, int ms) override;
  /// Keeps the text and also hands it to the terminal's clipboard (OSC 52).
  void SetClipboard(const Text& text) override;
  /// The last text set or pasted into the terminal.
  Text Clipboard() override { return clipboard_; }
  /// Writes the line on the screen at the cursor, as a plain console does,
  /// and moves the cursor to the next line (scrolling at the bottom).
  void PrintLine(const Text& line) override;

  /// Shows the blink bit as a bright background instead of blinking.
  void SetBlinkAsBrightBackground(bool on) { output_.SetBlinkAsBrightBackground(on); }

 private:
  struct Os;

  TerminalConsole(Clock& clock, std::unique_ptr<Os> os);
  /// Waits at most `timeout_ms` (-1: no limit) for the terminal to send,
  /// take output or change size, and handles what happened.
  void Pump(int timeout_ms);
  void TakeDecoded();
  void CheckSize();

  Clock& clock_;
  std::unique_ptr<Os> os_;
  Screen screen_;
  TerminalOutput output_;
  TerminalInputDecoder decoder_;
  std::deque<InputRecord> queue_;
  Text clipboard_;
  std::vector<Text> printed_;
  uint64_t last_pump_ms_ = 0;
  bool active_ = true;
  bool lost_ = false;
};

}  // namespace qz

#endif  // QZ_PLATFORM_TERMINAL_CONSOLE_H_
