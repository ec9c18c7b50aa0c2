#include "transfer/global_data.h"

#include "app/context.h"
#include "app/exit.h"
#include "app/file_tests.h"
#include "copy/file_copy.h"
#include "copy/record_copy.h"
#include "sharedfile/box_text.h"
#include "text/cp852.h"
#include "text/format.h"
#include "transfer/global_records.h"
#include "transfer/payroll_convert.h"
#include "ui/message_box.h"

namespace qz {

namespace {

Text SourceFile(const Context& ctx, const Text& name) {
  return SourceProgramPath(ctx) + kPathSep + name;
}

Text TargetFile(const Context& ctx, const Text& name) {
  return TargetProgramPath(ctx) + kPathSep + name;
}

// The error box of the stage: two centred lines, the second a directory.
void DirectoryBox(Context& ctx, const Text& what, const Text& dir) {
  ErrorBox(ctx.ui, BoxText({Centred(what), Centred(dir)}));
}

// Both address bases share one converter; the mode tells their records apart.
void ConvertAddressBase(Context& ctx, const Text& name, bool tax_office_mode) {
  ConvertRecords(ctx, SourceFile(ctx, name), TargetFile(ctx, name), kAddressBaseRecordSize,
                 kAddressBaseRecordSize, [tax_office_mode](ConstBytes in, Bytes out) {
                   return ConvertAddressBaseRecord(tax_office_mode, in, out);
                 });
}

void RunItems(Context& ctx) {
  const uint16_t items = ctx.run.options.global_items;
  auto item = [&](uint16_t bit, const Text& label, auto&& action) {
    if (!FlagSet(items, bit)) return;
    if (!label.empty()) ctx.log.Line(label);
    action();
  };
  using namespace global_item;
  item(kAddressBase, "Globalna baza adresów"_cp,
       [&] { ConvertAddressBase(ctx, "baza_ad8.rek", false); });
  item(kYearIni, "Konfigurator rur_2018.ini", [&] {
    CopyTextFile(ctx, SourceFile(ctx, "rur_2018.ini"), TargetFile(ctx, "rur_2019.ini"), nullptr);
  });
  item(kTaxOffices, "Baza urzedów skarbowych"_cp,
       [&] { ConvertAddressBase(ctx, "baza_us8.rek", true); });
  item(kKeyTexts, "Globale stale klawiszy F2..F10",
       [&] { CopyProgramFileAs(ctx, "baza_ff.txt", "baza_ff.txt", true); });
  item(kOfficeData, "Dane biura do FRV", [&] {
    ConvertRecords(ctx, SourceFile(ctx, "2018_BR.REK"), TargetFile(ctx, "2019_BR.REK"),
                   kOfficeRecordSize, kOfficeRecordSize, ConvertOfficeRecord);
  });
  item(kProgramIni, "Konfigurator RUR_QZ.INI", [&] {
    CopyWholeBinary(ctx, SourceFile(ctx, "RUR_QZ.INI"), TargetFile(ctx, "RUR_QZ.INI"));
  });
  item(kTaxConstants, "Zeszloroczne stale podatkowe",
       [&] { CopyProgramFile(ctx, "2018spd.ini", false); });
  item(kPayroll, "Globale ustawienia wynagrodzen", [&] {
    // The old installation's own 2019 settings win whenever they hold data.
    Text src = SourceFile(ctx, "2019_lp.cc");
    if (FileSizeOf(ctx.fs, src) == 0) src = SourceFile(ctx, "2018_lp.cc");
    CopyRecords(ctx, src, TargetFile(ctx, "2019_lp2.cc"), 2048,
                [&ctx](Bytes rec) { return ConvertPayrollSettings(ctx, rec); });
  });
  item(kColours, "Ustawienia kolorów"_cp, [&] { CopyProgramFile(ctx, "KOLORY.QZ", false); });
  item(kOperators, "", [&] {
    CopyRecords(ctx, SourceFile(ctx, "OPERATOR.REK"), TargetFile(ctx, "OPERATOR.REK"),
                kOperatorRecordSize, ConvertOperatorRecord);
  });
  item(kZusContracts, "", [&] {
    CopyProgramFile(ctx, "ZUS_PEL.INI", false);
    CopyProgramFile(ctx, "UMOWY.INI", false);
  });
}

}  // namespace

Text SourceProgramPath(const Context& ctx) {
  return ctx.run.paths.source_root + ctx.run.paths.source_program_dir;
}

Text TargetProgramPath(const Context& ctx) {
  return ctx.run.paths.target_root + ctx.run.paths.target_program_dir;
}

void CopyProgramFile(Context& ctx, const Text& name, bool convert) {
  CopyProgramFileAs(ctx, name, name, convert);
}

void CopyProgramFileAs(Context& ctx, const Text& src_name, const Text& dst_name, bool convert) {
  CopyBinaryFile(ctx, SourceFile(ctx, src_name), TargetFile(ctx, dst_name), convert);
}

void TransferGlobalData(Context& ctx) {
  auto saved_window = ctx.ui.SaveTextWindow(3, 3, 77, 20);

  // Without the old program directory there is nothing to carry; the firms
  // can still be carried, so the stage is skipped rather than the run.
  const Text source = SourceProgramPath(ctx);
  if (!DirExists(ctx.fs, source)) {
    DirectoryBox(ctx, "Brak katalogu zródłowego"_cp, source);
    ctx.log.Line("Brak katalogu zródłowego "_cp + source);
    ctx.ui.RestoreTextWindow(saved_window);
    return;
  }

  const Text target = TargetProgramPath(ctx);
  if (!DirExists(ctx.fs, target) && ctx.fs.MakeDir(target) != 0) {
    DirectoryBox(ctx, "Utworzenia katalogu", target);
    throw ExitRequest{1};
  }

  RunItems(ctx);

  if (ctx.run.options.pause_per_firm) {
    ctx.log.Line("cdn - nacisnij dowolny klawisz.");
    ctx.log.WaitKey();
  }
  ctx.log.Clear(false);
  ctx.ui.RestoreTextWindow(saved_window);
}

}  // namespace qz
