#ifndef QZ_COPY_COPY_STATE_H_
#define QZ_COPY_COPY_STATE_H_

#include <cstdint>

namespace qz {

/// Run state of the copy engine, owned by the run's `Context`.
struct CopyState {
  /// `OverwriteAnswer`: 0 ask for each target, -1 overwrite all following
  /// targets, +1 keep all following targets. Sticky for the whole run.
  int32_t overwrite_answer = 0;
  /// `AppendToTarget`: set by the per-firm driver; when true and the target
  /// has data, the record copiers append instead of asking.
  bool append_to_target = false;
  /// `RecordCounter`: counted by `CopyRecords` (reads and writes).
  int32_t record_counter = 0;
};

}  // namespace qz

#endif  // QZ_COPY_COPY_STATE_H_
