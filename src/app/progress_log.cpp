#include "app/progress_log.h"

namespace qz {

ProgressLog::ProgressLog(Console& console, Clock& clock, const RunOptions& options)
    : console_(console), clock_(clock), options_(options) {
  shadow_.fill(Text(80, ' '));
}

void ProgressLog::RedrawRow(int row) {
  console_.screen().Write(1, row, shadow_[row - 1], normal_);
}

bool ProgressLog::AreaInSync() const {
  return in_sync_ && synced_normal_ == normal_ &&
         console_.screen().generation() == synced_generation_;
}

void ProgressLog::MarkInSync() {
  in_sync_ = true;
  synced_generation_ = console_.screen().generation();
  synced_normal_ = normal_;
}

void ProgressLog::Clear(bool whole) {
  int first = whole ? 1 : 3;
  for (int r = first; r <= 25; ++r) shadow_[r - 1].assign(80, ' ');
  for (int r = 1; r <= 25; ++r) RedrawRow(r);
  row_ = first;
  column_ = 1;
  MarkInSync();
  console_.Present();
}

void ProgressLog::Write(TextView text) {
  if (text.empty()) return;
  // Text in the normal colour keeps the screen equal to the shadow.
  bool keeps_sync = colour_ == normal_ && AreaInSync();
  int n = static_cast<int>(text.size());
  if (column_ + n > 80) n = 80 - column_;
  if (n > 0) {
    shadow_[row_ - 1].replace(column_ - 1, n, text.substr(0, n));
    console_.screen().Write(column_, row_, text.substr(0, n), colour_);
  }
  colour_ = normal_;
  column_ = column_ + (n > 0 ? n : 0);
  if (column_ > 80) column_ = 80;
  console_.screen().SetCursor(column_, row_);
  if (keeps_sync) MarkInSync();
}

void ProgressLog::Line(TextView text) {
  Write(text);
  if (row_ < 23) {
    ++row_;
  } else {
    for (int r = 3; r <= 23; ++r) shadow_[r - 1] = shadow_[r];
    shadow_[23].assign(80, ' ');
    if (AreaInSync()) {
      // Nothing but the log drew on the area since it was last in sync:
      // moving the rows up gives the same cells as drawing them again.
      console_.screen().ScrollUp(1, 3, 80, 24, normal_);
    } else {
      // The area is drawn again from the shadow: whatever a closed window
      // left on these rows goes, and the moved lines lose their colours.
      for (int r = 3; r <= 24; ++r) RedrawRow(r);
    }
    MarkInSync();
    row_ = 23;
  }
  column_ = 1;
  console_.Present();
}

uint8_t ProgressLog::WaitKey() {
  Screen& s = console_.screen();
  s.SetCursorShape(CursorShape::kSmall);
  InputRecord r;
  for (;;) {
    if (console_.ReadInput(&r)) {
      if (r.kind == InputRecord::Kind::kKey) break;
      continue;
    }
    console_.WaitForInput(64);
  }
  InputRecord dropped;
  while (console_.ReadInput(&dropped)) {
  }
  s.SetCursorShape(CursorShape::kHidden);
  return static_cast<uint8_t>(r.key.code & 0xFF);
}

void ProgressLog::SlowPause() {
  if (options_.slow_mode) clock_.SleepMs(1000);
}

}  // namespace qz
