#ifndef QZ_FIRMS_DETECT_FIRMS_H_
#define QZ_FIRMS_DETECT_FIRMS_H_

#include "firms/firm_table.h"

namespace qz {

struct Context;

/// Reads the old installation's firm list (opened exclusively) into
/// `table`: every firm whose directory exists in the old installation and
/// not yet in the new one, at most 2048, in file order, each selected. Every
/// firm left out is logged. A list that cannot be opened, whose size cannot
/// be read or that is empty ends the process (`ExitRequest{1}`).
void DetectFirms(Context& ctx, FirmTable& table);

}  // namespace qz

#endif  // QZ_FIRMS_DETECT_FIRMS_H_
