#ifndef QZ_APP_PROGRESS_LOG_H_
#define QZ_APP_PROGRESS_LOG_H_

#include <array>
#include <cstdint>

#include "app/run_state.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "text/text.h"

namespace qz {

/// The scrolling progress log on the bare screen: rows 1-2 hold the header,
/// rows 3-24 scroll, row 25 belongs to the hint bar. A shadow copy of the
/// rows' characters lets the area scroll; scrolled rows lose their colours.
class ProgressLog {
 public:
  ProgressLog(Console& console, Clock& clock, const RunOptions& options);

  /// Colour of the next non-empty `Write` only.
  void SetColour(uint8_t attr) { colour_ = attr; }
  /// Colour of ordinary text (entry 0 of the colour set).
  void SetNormalColour(uint8_t attr) { normal_ = attr; }
  uint8_t normal_colour() const { return normal_; }
  /// Blanks all rows (`whole`) or rows 3 to 25 and puts the cursor at the
  /// top of the cleared area.
  void Clear(bool whole);
  /// Places `text` at the cursor without a line end, cut at column 79.
  void Write(TextView text);
  /// `Write`, then ends the line, scrolling when the area is full.
  void Line(TextView text);
  /// Waits for one key, drops keys typed ahead; the key's character (0 for
  /// a key without one).
  uint8_t WaitKey();
  /// One-second pause in slow mode.
  void SlowPause();

  int row() const { return row_; }
  int column() const { return column_; }
  /// The characters last placed on `row` (80 of them).
  const Text& ShadowRow(int row) const { return shadow_[row - 1]; }

 private:
  void RedrawRow(int row);
  /// True when rows 3 to 24 of the screen show exactly the shadow in the
  /// normal colour, as the log itself last left them.
  bool AreaInSync() const;
  void MarkInSync();

  Console& console_;
  Clock& clock_;
  const RunOptions& options_;
  std::array<Text, 25> shadow_;
  int row_ = 1;
  int column_ = 1;
  uint8_t colour_ = 7;
  uint8_t normal_ = 7;
  /// Screen generation and normal colour when the area was last in sync
  /// (generation 0 with `in_sync_` false: never).
  bool in_sync_ = false;
  uint64_t synced_generation_ = 0;
  uint8_t synced_normal_ = 7;
};

}  // namespace qz

#endif  // QZ_APP_PROGRESS_LOG_H_
