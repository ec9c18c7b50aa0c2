#include "transfer/convert_firm.h"

#include <array>
#include <memory>
#include <vector>

#include "app/context.h"
#include "app/file_tests.h"
#include "sharedfile/box_text.h"
#include "text/cp852.h"
#include "transfer/firm_files.h"
#include "transfer/transfer_table.h"
#include "ui/message_box.h"

namespace qz {

namespace {


// Step 2: a firm without annual settings of either year cannot be converted.
bool HasAnnualSettings(Context& ctx) {
  Text file2018 = SourceFile(ctx, "2018_ROK.REK");
  if (FileSizeOf(ctx.fs, file2018) > 0) return true;
  ctx.log.Line("Brak :" + file2018);
  Text file2019 = SourceFile(ctx, "2019_ROK.REK");
  if (FileSizeOf(ctx.fs, file2019) > 0) return true;
  ctx.log.Line("Brak :" + file2019);
  ctx.log.Line("");
  ctx.log.Line("Brak danych za rok 2018 czy 2019");
  ctx.log.Line("Nie można dokonać konwersji ..."_cp);
  ctx.log.WaitKey();
  return false;
}

// Step 3: the first record of the old year marker.
bool ReadYearMarker(Context& ctx, std::vector<uint8_t>* marker) {
  Text name = SourceFile(ctx, "_qz_rur.rek");
  std::unique_ptr<File> f;
  if (ctx.fs.Open(name, Access::kRead, Sharing::kDenyNone, &f) != dos::kOk) {
    ctx.log.Line("Brak dostepu do " + name);
    ctx.log.WaitKey();
    return false;
  }
  std::size_t got = 0;
  bool ok = f->Read(marker->data(), marker->size(), &got) == dos::kOk && got == marker->size();
  f->Close();
  if (!ok) {
    ctx.log.Line("Błąd odczytu danych z "_cp + name);
    ctx.log.WaitKey();
  }
  return ok;
}

// Step 6: the new year marker, one record, replacing any existing file.
bool WriteYearMarker(Context& ctx, std::vector<uint8_t>* marker) {
  Text name = TargetFile(ctx, "_qz_rur.rek");
  std::unique_ptr<File> f;
  if (ctx.fs.Create(name, &f) != dos::kOk) {
    ctx.log.Line("Brak dostępu do "_cp + name);
    ctx.log.WaitKey();
    return false;
  }
  SetYearMarker(*marker);
  bool ok = f->Write(marker->data(), marker->size()) == dos::kOk;
  // A marker that did not reach the disk whole is a failed write too.
  if (f->Close() != dos::kOk) ok = false;
  if (!ok) {
    ctx.log.Line("Błąd zapisu danych do "_cp + name);
    ctx.log.WaitKey();
  }
  return ok;
}

bool ConvertFirmSteps(Context& ctx) {
  if (!HasAnnualSettings(ctx)) return false;
  std::vector<uint8_t> marker(kYearMarkerSize);
  if (!ReadYearMarker(ctx, &marker)) return false;
  const Text& target = ctx.firm.target_dir;
  if (!DirExists(ctx.fs, target) && ctx.fs.MakeDir(target) != dos::kOk) {
    ErrorBox(ctx.ui, BoxText({Centred("Utworzenia katalogu firmy"), Centred(target)}));
    return false;
  }
  ctx.log.SlowPause();
  ctx.log.Line("Kopiowanie właściwe"_cp);
  if (!WriteYearMarker(ctx, &marker)) return false;

  for (const TransferItem& item : TransferTable()) RunTransferItem(ctx, item);

  ctx.log.Line("Koniec konwersji danych firmy");
  if (ctx.run.options.pause_per_firm) {
    ctx.log.Write("cdn - naciśnij dowolny klawisz."_cp);
    ctx.log.WaitKey();
  }
  return true;
}

}  // namespace

void SetYearMarker(Bytes marker) {
  PutU16(marker, 0, 2019);
  PutU16(marker, 2, 2019);
  PutU16(marker, 4, 2019);
  PutU8(marker, 7, 1);
}

void BeginFirm(Context& ctx, const Text& firm_dir) {
  FirmState& firm = ctx.firm;
  firm.firm_dir = firm_dir;
  firm.source_dir = ctx.run.paths.source_root + firm_dir;
  firm.target_dir = ctx.run.paths.target_root + firm_dir;
  firm.use_2019_settings = false;
  // The ledger converter reads these even when the annual settings fail early.
  firm.vat_by_proportion = false;
  firm.vat_proportion = 0;
  firm.firm_source_path.clear();
}

bool ConvertFirm(Context& ctx, const Text& firm_dir) {
  BeginFirm(ctx, firm_dir);
  // The log uses the whole screen while the firm is converted.
  std::array<uint8_t, 4> saved = ctx.ui.SaveTextWindow(1, 1, 80, 25);
  bool converted = false;
  try {
    converted = ConvertFirmSteps(ctx);
  } catch (...) {
    ctx.ui.RestoreTextWindow(saved);
    throw;
  }
  ctx.ui.RestoreTextWindow(saved);
  return converted;
}

}  // namespace qz
