#include "transfer/firm_loop.h"

#include "app/context.h"
#include "app/text_pass.h"
#include "firms/firm_list.h"
#include "firms/firm_selection.h"
#include "sharedfile/box_text.h"
#include "transfer/convert_firm.h"
#include "ui/message_box.h"

namespace qz {

namespace {

void ConvertChosenFirms(Context& ctx, FirmTable& table) {
  FirmListFile list(ctx, ctx.run.paths.target_root + ctx.firms.list_name);
  if (!list.Open(OpenKind::kOpenOrCreate, RetryMode::kSilent)) {
    ErrorBox(ctx.ui, BoxText({Centred("Brak dostepu do pliku"), Centred(list.name())}));
    list.Done();
    return;
  }
  for (int32_t i = 1; i <= table.count(); ++i) {
    FirmEntry* entry = FirmAt(table, i);
    if (entry == nullptr || !entry->selected) continue;
    Bytes rec(entry->record);
    const Text dir = FirmDir(rec);
    ctx.log.Clear(true);
    ctx.log.Line("Kopiowanie  - FIRMA   : " + FirmName(rec));
    ctx.log.Line("              Katalog : " + dir);
    if (!ConvertFirm(ctx, dir)) continue;
    PutText(rec, firm_list::kNameOff, firm_list::kNameMax, PassText(FirmName(rec)));
    PutText(rec, firm_list::kInfoOff, firm_list::kInfoMax, PassText(FirmInfo(rec)));
    list.Insert(rec);
  }
  list.Done();
}

}  // namespace

void RunFirmTransfers(Context& ctx) { RunFirmTransfers(ctx, ChooseFirms); }

void RunFirmTransfers(Context& ctx, const FirmChooser& choose) {
  FirmTable table;
  if (choose(ctx, table)) ConvertChosenFirms(ctx, table);
  FreeFirmTable(table);
  ctx.log.Clear(false);
}

}  // namespace qz
