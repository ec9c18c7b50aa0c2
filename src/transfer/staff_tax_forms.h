#ifndef QZ_TRANSFER_STAFF_TAX_FORMS_H_
#define QZ_TRANSFER_STAFF_TAX_FORMS_H_

#include "text/record_fields.h"

namespace qz {

struct Context;

/// Transfer item 11, PID-5 persons ("2019p5.13" or "2018p5.13") ->
/// "2019p5.13", 13952 -> 13952 bytes (`RecordConverter`). Logs the person
/// and asks T/N when the PID-5 mode says so. A 2019 record with the 2019
/// settings in use is kept and brought up to date; any other is rebuilt for
/// 1 January 2019 from the fields that carry over.
bool ConvertPid5Record(Context& ctx, ConstBytes in, Bytes out);

/// Transfer item 12, "PIT-28" persons ("2019_p28.rek" or "2018_p28.rek") ->
/// "2019_p28.rek", 13952 -> 13952 bytes (`RecordConverter`). Rebuilds the
/// record for 1 January 2019 with the old December value in every month.
bool ConvertPit28Record(Context& ctx, ConstBytes in, Bytes out);

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_TAX_FORMS_H_
