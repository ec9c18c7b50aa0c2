#ifndef QZ_TRANSFER_FIRM_LOOP_H_
#define QZ_TRANSFER_FIRM_LOOP_H_

#include <functional>

#include "firms/firm_table.h"

namespace qz {

struct Context;

/// Fills the firm table and marks the chosen firms; true to go on.
using FirmChooser = std::function<bool(Context&, FirmTable&)>;

/// The firm stage of the run: lets the user choose firms, converts each
/// chosen firm and enters every firm that went through into the new
/// installation's firm list (created when missing), in key order.
void RunFirmTransfers(Context& ctx);
/// The same with another way of choosing the firms.
void RunFirmTransfers(Context& ctx, const FirmChooser& choose);

}  // namespace qz

#endif  // QZ_TRANSFER_FIRM_LOOP_H_
