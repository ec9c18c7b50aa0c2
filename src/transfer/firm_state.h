#ifndef QZ_TRANSFER_FIRM_STATE_H_
#define QZ_TRANSFER_FIRM_STATE_H_

namespace qz {

/// Run state of the per-firm conversion, owned by the run's `Context`.
struct FirmState {};

}  // namespace qz

#endif  // QZ_TRANSFER_FIRM_STATE_H_
