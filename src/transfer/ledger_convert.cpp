#include "transfer/ledger_convert.h"

#include "app/context.h"
#include "app/file_tests.h"
#include "text/cp852.h"
#include "text/format.h"
#include "transfer/ledger_amounts.h"
#include "transfer/staff_text_pass.h"

namespace qz {

namespace {

constexpr std::size_t kOldEntrySize = 400;
constexpr std::size_t kNewEntrySize = 1024;
constexpr std::size_t kRepaymentSize = 48;

// Texts of the old layout; each may hold at most as many characters as fit
// before the next field.
constexpr TextField kFirstText{32, 22};
constexpr TextField kLogText{55, 18};
constexpr TextField kText74{74, 36};
constexpr TextField kText111{111, 36};
constexpr TextField kText148{148, 36};
constexpr TextField kExtraText{185, 51};

Text Get(ConstBytes rec, TextField f) { return GetText(rec, f.off, f.max); }

// `text` followed by blanks up to `len` characters; a longer text is kept whole.
Text PadNotCut(Text text, std::size_t len) {
  if (text.size() < len) text.append(len - text.size(), ' ');
  return text;
}

}  // namespace

void StartLedgerFile(Context& ctx, const Text& target, uint16_t rec_size) {
  // Converted entries are numbered in the order they are written to their
  // target file. The number left by the last record copy would give every
  // entry of the run the same number, so each target file gets its own
  // sequence, continuing after the entries already there when appending.
  uint32_t existing = 0;
  if (ctx.copy.append_to_target && rec_size != 0) existing = FileSizeOf(ctx.fs, target) / rec_size;
  ctx.staff.next_ledger_entry = existing + 1;
}

bool ConvertLedgerEntry(Context& ctx, ConstBytes in, Bytes out) {
  FillBytes(out, 0, kNewEntrySize, 0);
  CopyBytes(out, 0, in, 0, kOldEntrySize);

  ctx.log.Write("RUR=" + DateToText(GetDate(out, 18)) + " " + PadNotCut(Get(out, kLogText), 10) +
                " " + Get(out, kText148));
  if (FlagSet(GetU16(out, 30), 2)) {
    ctx.log.Line(" SKREŚLONY"_cp);
    if (ctx.run.options.slow_mode) {
      ctx.log.SlowPause();
    } else if (ctx.run.options.pause_per_firm) {
      ctx.log.WaitKey();
    }
    return false;
  }

  Text first = Get(out, kFirstText);
  Text extra = Get(out, kExtraText);
  if (!extra.empty() && extra.front() == '^') {
    first += extra.substr(1);
  } else if (!extra.empty()) {
    PutText(out, 788, 40, extra);
  }
  PutText(out, 400, 48, first);
  PutText(out, 449, 128, Get(out, kText74));
  PutText(out, 578, 128, Get(out, kText111));
  PutText(out, 707, 80, Get(out, kText148));

  if (Low7(GetU8(out, 242)) == 21) {
    PutU8(out, 242, 15);
    PutU16(out, 243, 2);
  }
  PutU8(out, 367, '[');
  PutU8(out, 861, 3);
  PutU32(out, 862, PackedNow(ctx.clock));
  if (ctx.firm.vat_by_proportion && InProportionColumns(Low7(GetU8(out, 242)))) {
    PutU16(out, 344, ctx.firm.vat_proportion);
  }
  PutU32(out, 0, ctx.staff.next_ledger_entry++);
  RecomputeLedgerAmounts(out);
  ctx.log.Line(".ok");
  return true;
}

bool ConvertRepayment(Context& ctx, ConstBytes in, Bytes out) {
  CopyBytes(out, 0, in, 0, kRepaymentSize);
  PassTextField(out, 17, 12);
  ctx.log.Write("SP= dnia:" + DateToText(GetDate(out, 5)) + " dok:" + GetText(out, 17, 12));
  return true;
}

}  // namespace qz
