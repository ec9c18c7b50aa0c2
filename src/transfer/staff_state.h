#ifndef QZ_TRANSFER_STAFF_STATE_H_
#define QZ_TRANSFER_STAFF_STATE_H_

namespace qz {

/// Run state of the staff, ledger and payroll converters, owned by the run's `Context`.
struct StaffState {};

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_STATE_H_
