#ifndef QZ_TRANSFER_STAFF_STATE_H_
#define QZ_TRANSFER_STAFF_STATE_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace qz {

/// Run state of the staff, ledger and payroll converters, owned by the run's
/// `Context`. The person list lives for one firm: `StartStaffList` resets it
/// before the staff item of every firm, whether or not that item runs.
struct StaffState {
  /// Slots of the person list; only slots 1..kPersonSlots - 1 are ever filled.
  static constexpr std::size_t kPersonSlots = 2048;

  /// `PersonList`: identifiers of the persons carried for the current firm,
  /// in the order carried; slot k (1-based) is `person_list[k - 1]`.
  std::array<int64_t, kPersonSlots> person_list{};
  /// `PersonCount`: persons carried so far for the current firm, also beyond
  /// the list's capacity.
  uint16_t person_count = 0;
  /// `StaffAskMode`: 0 carry everybody, 1 only those employed at the end of
  /// the old year, 2 ask for each person; the answer W turns 2 into 0.
  uint16_t ask_mode = 0;

  /// Number given to the next converted ledger entry of the target file
  /// being written (see `StartLedgerFile`).
  uint32_t next_ledger_entry = 1;
};

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_STATE_H_
