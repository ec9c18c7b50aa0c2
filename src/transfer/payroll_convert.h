#ifndef QZ_TRANSFER_PAYROLL_CONVERT_H_
#define QZ_TRANSFER_PAYROLL_CONVERT_H_

#include "text/record_fields.h"

namespace qz {

struct Context;

/// Transfer item 27, "2019WP2.REK" -> "2019WP5.REK", 10176 -> 26624 bytes
/// (`RecordConverter`): the wage record in the new layout (header, twelve
/// month blocks, tail); every byte not carried is 0.
bool ConvertWageRecord(Context& ctx, ConstBytes in, Bytes out);

/// Transfer item 19 ("2019_lp.cc" or "2018_lp.cc" -> "2019_lp2.cc") and the
/// office-wide payroll settings: 2048-byte records copied with `CopyRecords`
/// (`RecordHook`, in place). Rebuilds an old-layout record in the new
/// layout, then sets the year 2019 and its working days per month.
bool ConvertPayrollSettings(Context& ctx, Bytes rec);

}  // namespace qz

#endif  // QZ_TRANSFER_PAYROLL_CONVERT_H_
