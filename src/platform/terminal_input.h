#ifndef QZ_PLATFORM_TERMINAL_INPUT_H_
#define QZ_PLATFORM_TERMINAL_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "platform/console.h"
#include "text/text.h"

namespace qz {

/// One thing a terminal sent: a key, a mouse record or a pasted text.
struct TerminalEvent {
  enum class Kind : uint8_t { kKey, kMouse, kPaste };
  Kind kind = Kind::kKey;
  KeyStroke key;
  MouseRecord mouse;
  Text paste;  ///< CP852, for kPaste
};

/// What the start of the input buffer holds: a complete sequence, the
/// beginning of one (more bytes needed), or bytes that are no key of ours
/// (an unknown or malformed sequence, dropped whole).
enum class DecodeStatus : uint8_t { kComplete, kPartial, kNotMine };

/// Turns the byte stream of an xterm-compatible terminal (xterm, VTE, tmux,
/// the Linux console) into PC keyboard strokes (BIOS code and shift state,
/// Num Lock always on), mouse records and bracketed pastes. Bytes are fed as
/// they arrive; a sequence cut between two reads waits for the rest, and a
/// lone Esc becomes the Esc key once `kEscTimeoutMs` passed without more.
class TerminalInputDecoder {
 public:
  /// How long an incomplete sequence (a lone Esc above all) may wait.
  static constexpr uint64_t kEscTimeoutMs = 50;
  /// A paste whose end marker does not come within this time of its last
  /// byte is ended, so that a broken terminal cannot swallow the keyboard.
  static constexpr uint64_t kPasteTimeoutMs = 1000;
  /// Longest paste kept (bytes of UTF-8); the rest is dropped.
  static constexpr std::size_t kMaxPasteBytes = 64 * 1024;

  /// Takes `bytes` read from the terminal at `now_ms` and decodes every
  /// complete sequence.
  void Feed(std::string_view bytes, uint64_t now_ms);
  /// Resolves what has waited too long: a lone Esc becomes the Esc key, Esc
  /// + "[" or Esc + "O" become Alt+[ and Alt+Shift+O, a cut sequence is
  /// dropped, a paste without end marker is delivered.
  void CheckTimeout(uint64_t now_ms);
  /// Milliseconds until `CheckTimeout` has something to resolve; -1 when
  /// nothing is waiting.
  int MsUntilTimeout(uint64_t now_ms) const;

  /// Takes the next decoded event; false when none is ready.
  bool Next(TerminalEvent* out);
  bool HasEvents() const { return !events_.empty(); }

  /// The screen area that mouse records may come from (clicks outside the
  /// program's 80 x 25 screen are dropped).
  void SetMouseArea(int cols, int rows) { mouse_cols_ = cols, mouse_rows_ = rows; }

 private:
  struct Decoded;
  void Process(uint64_t now_ms, bool timed_out);
  void ProcessPaste(uint64_t now_ms);
  void EndPaste();
  DecodeStatus DecodeOne(std::string_view buf, bool timed_out, Decoded* out, std::size_t* used);
  DecodeStatus DecodeEscape(std::string_view buf, bool timed_out, Decoded* out,
                            std::size_t* used);
  DecodeStatus DecodeCsi(std::string_view buf, bool timed_out, Decoded* out, std::size_t* used);
  DecodeStatus DecodeSs3(std::string_view buf, bool timed_out, Decoded* out, std::size_t* used);
  bool Mouse(int code, int x, int y, bool press, Decoded* out);

  std::string buf_;
  uint64_t pending_since_ = 0;
  bool in_paste_ = false;
  std::string paste_;
  uint64_t paste_last_ms_ = 0;
  uint8_t buttons_down_ = 0;
  int mouse_cols_ = 80, mouse_rows_ = 25;
  std::deque<TerminalEvent> events_;
};

}  // namespace qz

#endif  // QZ_PLATFORM_TERMINAL_INPUT_H_
