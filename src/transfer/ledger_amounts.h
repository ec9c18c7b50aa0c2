#ifndef QZ_TRANSFER_LEDGER_AMOUNTS_H_
#define QZ_TRANSFER_LEDGER_AMOUNTS_H_

#include "text/record_fields.h"

namespace qz {

/// Whether the VAT proportion applies to entries of ledger column `code`
/// (columns 7, 9, 15, 20, 31, 32, 33, 35 and 36).
bool InProportionColumns(int code);

/// Recomputes the amounts of a converted 1024-byte ledger entry: the net
/// and VAT amounts not deducted (845, 853), the halved VAT (336) and, when
/// the entry stores its result, the ledger amount (369) with the part cut
/// off by the entry's own proportion (377, 378). An entry whose amounts are
/// not computed (bit 2 of byte 237 clear) is left alone.
void RecomputeLedgerAmounts(Bytes entry);

}  // namespace qz

#endif  // QZ_TRANSFER_LEDGER_AMOUNTS_H_
