#ifndef QZ_TRANSFER_LEDGER_CONVERT_H_
#define QZ_TRANSFER_LEDGER_CONVERT_H_

#include <cstdint>

#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct Context;

/// Transfer item 26: call before converting each month's ledger file into
/// `target` (records of `rec_size` bytes), after `ctx.copy.append_to_target`
/// is set for that month. Entries are numbered 1, 2, 3, ... in the order
/// written; when the converted entries are appended to an existing target,
/// numbering continues after the entries already in it.
void StartLedgerFile(Context& ctx, const Text& target, uint16_t rec_size);

/// Transfer item 26, "2019K880.<m>" -> "2019K990.<m>", 400 -> 1024 bytes
/// (`RecordConverter`). Logs the entry, drops struck-out entries, moves the
/// texts to the new layout, applies the firm's VAT proportion, numbers the
/// entry and recomputes its amounts.
bool ConvertLedgerEntry(Context& ctx, ConstBytes in, Bytes out);

/// Transfer item 26, "2019SP.<m>" -> same name, 48 -> 48 bytes
/// (`RecordConverter`). Carries the repayment and logs it without a line end.
bool ConvertRepayment(Context& ctx, ConstBytes in, Bytes out);

}  // namespace qz

#endif  // QZ_TRANSFER_LEDGER_CONVERT_H_
