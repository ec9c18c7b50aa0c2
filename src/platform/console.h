#ifndef QZ_PLATFORM_CONSOLE_H_
#define QZ_PLATFORM_CONSOLE_H_

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/keys.h"
#include "platform/screen.h"
#include "text/text.h"

namespace qz {

/// A mouse record: which buttons are down (1 left, 2 right, 3 both; 0 for a
/// move or release) and the 0-based cell.
struct MouseRecord {
  uint8_t buttons = 0;
  int column = 0;
  int row = 0;
};

/// One record of console input: a key or a mouse record.
struct InputRecord {
  enum class Kind : uint8_t { kKey, kMouse };
  Kind kind = Kind::kKey;
  KeyStroke key;
  MouseRecord mouse;
};

/// Thrown by a headless console when the program waits for input that the
/// test script does not hold; it ends the run as a test failure.
class ScriptExhausted : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A console backend: owns the screen the program draws on, presents it,
/// and delivers keyboard and mouse input. Implementations: a POSIX terminal,
/// the headless test console (and, later, a Windows console).
class Console {
 public:
  virtual ~Console() = default;
  virtual Screen& screen() = 0;
  /// Takes the next input record without waiting; false when none is queued.
  virtual bool ReadInput(InputRecord* out) = 0;
  /// True when an input record is queued.
  virtual bool InputPending() = 0;
  /// Presents the screen, then waits at most `ms` milliseconds for input.
  /// A headless console with an empty script throws `ScriptExhausted`.
  virtual void WaitForInput(int ms) = 0;
  /// Lets the backend show the screen if a frame is due (cheap to call
  /// often; output is limited to a few frames a second while busy).
  virtual void Present() = 0;
  /// A tone; a terminal rings its bell.
  virtual void Beep(int frequency, int ms) = 0;
  /// The system clipboard (the terminal's, where it has one).
  virtual void SetClipboard(const Text& text) = 0;
  virtual Text Clipboard() = 0;
  /// Writes a plain line to standard output, outside the screen (used by
  /// the usage text).
  virtual void PrintLine(const Text& line) = 0;
};

}  // namespace qz

#endif  // QZ_PLATFORM_CONSOLE_H_
