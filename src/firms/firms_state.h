#ifndef QZ_FIRMS_FIRMS_STATE_H_
#define QZ_FIRMS_FIRMS_STATE_H_

#include "text/text.h"

namespace qz {

/// Run state of the firm registry, owned by the run's `Context`.
struct FirmsState {
  /// `FirmListName`: the firm list file name in both installations (at
  /// most 12 characters); set at start by `SetFirmListName`.
  Text list_name = "SPISFIRM.DAT";
};

}  // namespace qz

#endif  // QZ_FIRMS_FIRMS_STATE_H_
