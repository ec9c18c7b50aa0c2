#include "transfer/transfer_table.h"

#include <string>

#include "app/context.h"
#include "app/file_tests.h"
#include "copy/file_copy.h"
#include "copy/record_copy.h"
#include "text/cp852.h"
#include "text/format.h"
#include "firmdesc/firm_description.h"
#include "transfer/annual_settings.h"
#include "transfer/dra.h"
#include "transfer/firm_files.h"
#include "transfer/firm_records.h"
#include "transfer/global_records.h"
#include "transfer/ledger_convert.h"
#include "transfer/module_data.h"
#include "transfer/payroll_convert.h"
#include "transfer/staff_convert.h"
#include "transfer/staff_tax_forms.h"

namespace qz {

namespace {

using Gate = TransferItem::Gate;

// Item methods over the firm's files: S/src -> T/dst.
std::function<void(Context&)> Binary(Text name) {
  return [name](Context& ctx) {
    CopyBinaryFile(ctx, SourceFile(ctx, name), TargetFile(ctx, name), false);
  };
}

std::function<void(Context&)> TextCopy(Text name) {
  return [name](Context& ctx) {
    CopyTextFile(ctx, SourceFile(ctx, name), TargetFile(ctx, name), nullptr);
  };
}

std::function<void(Context&)> Records(Text name, uint16_t size, RecordHook hook) {
  return [name, size, hook](Context& ctx) {
    CopyRecords(ctx, SourceFile(ctx, name), TargetFile(ctx, name), size, hook);
  };
}

std::function<void(Context&)> Convert(Text src, Text dst, uint16_t src_size, uint16_t dst_size,
                                      RecordConverter conv) {
  return [src, dst, src_size, dst_size, conv](Context& ctx) {
    ConvertRecords(ctx, SourceFile(ctx, src), TargetFile(ctx, dst), src_size, dst_size, conv);
  };
}

// A converter that needs the run's context, bound for one item.
using ContextConverter = bool (*)(Context&, ConstBytes, Bytes);
std::function<void(Context&)> ConvertWith(Text src, Text dst, uint16_t src_size,
                                          uint16_t dst_size, ContextConverter conv) {
  return [src, dst, src_size, dst_size, conv](Context& ctx) {
    ConvertRecords(ctx, SourceFile(ctx, src), TargetFile(ctx, dst), src_size, dst_size,
                   [&ctx, conv](ConstBytes in, Bytes out) { return conv(ctx, in, out); });
  };
}

std::function<void(Context&)> Named(Text name) {
  return [name](Context& ctx) { CopyNamedFile(ctx, name, false); };
}

// Items 11 and 12: the person files whose source year depends on the
// settings in use and on the user's answer.
std::function<void(Context&)> TaxForm(Text name2019, Text name2018, ContextConverter conv) {
  return [name2019, name2018, conv](Context& ctx) {
    Text src = ChooseYearSource(ctx, name2019, name2018);
    ConvertRecords(ctx, src, TargetFile(ctx, name2019), 13952, 13952,
                   [&ctx, conv](ConstBytes in, Bytes out) { return conv(ctx, in, out); });
  };
}

void CopyFixedTexts(Context& ctx) {
  const Text files[][2] = {{"Baza stałych F1..F10"_cp, "baza_ff.txt"},
                           {"Notatnik", "Notatnik.txt"},
                           {"Notatka", "Notatka.txt"},
                           {"Notes", "Notes.txt"}};
  for (const auto& [label, name] : files) {
    ctx.log.Line(label);
    CopyTextFile(ctx, SourceFile(ctx, name), TargetFile(ctx, name), nullptr);
  }
}

void CopyExtraFiles(Context& ctx) {
  for (const Text& entry : ctx.run.extra_files) CopyNamedFile(ctx, entry, false);
}

void ConvertPayrollItem(Context& ctx) {
  Text src = SourceFile(ctx, "2019_lp.cc");
  if (!ctx.firm.use_2019_settings || FileSizeOf(ctx.fs, src) == 0) {
    src = SourceFile(ctx, "2018_lp.cc");
  }
  CopyRecords(ctx, src, TargetFile(ctx, "2019_lp2.cc"), 2048,
              [&ctx](Bytes rec) { return ConvertPayrollSettings(ctx, rec); });
}

void CheckContracts(Context& ctx) {
  CopyRecords(ctx, SourceFile(ctx, "2019UZ3.REK"), TargetFile(ctx, "2019UZ3.REK"), 552,
              [&ctx](Bytes rec) { return CheckContractRecord(ctx, rec); });
}

void CarryFirmDescriptionItem(Context& ctx) {
  CarryFirmDescription(ctx, SourceFile(ctx, "FIRMATXT.INI"), TargetFile(ctx, "FIRMATXT.INI"));
}

// Item 13: the firm's own address base, converted like the office-wide one
// (address records, not tax offices).
void ConvertLocalAddressBase(Context& ctx) {
  ConvertRecords(ctx, SourceFile(ctx, "baza_ad8.rek"), TargetFile(ctx, "baza_ad8.rek"), 480, 480,
                 [](ConstBytes in, Bytes out) { return ConvertAddressBaseRecord(false, in, out); });
}

}  // namespace

std::vector<TransferItem> TransferTable() {
  return {
      {1, Gate::kAlways, 0, "", true, ConvertAnnualSettings},
      {2, Gate::kUse2019, 0, "Deklaracja VAT-7 z 2019", true, Binary("2019vJ17.REK")},
      {3, Gate::kUse2019, 0, "Suma z kolumn za 2019", true, Binary("2019kol2.rek")},
      {4, Gate::kUse2019, 0, "", true, Records("2019ZAL.REK", 1024, ZalTextHook)},
      {5, Gate::kFirmItems, 0x1, "", true, CarryFirmDescriptionItem},
      {6, Gate::kFirmItems, 0x1, "", true,
       Convert("FIRMA_A8.REK", "FIRMA_A8.REK", 224, 224, CopyAddressRecord)},
      {7, Gate::kAlways, 0, "", true, StartStaffList},
      {8, Gate::kFirmItems, 0x2, "Pracownicy / Właściciele"_cp, true,
       ConvertWith("DANE_PR8.REK", "DANE_PR8.REK", 2048, 2048, ConvertStaffRecord)},
      {9, Gate::kFirmItems, 0x2 | 0x4, "Rodziny pracowników"_cp, true,
       ConvertWith("DANE_PF8.REK", "DANE_PF8.REK", 352, 352, ConvertFamilyRecord)},
      {10, Gate::kFirmItems, 0x2, "Dane umów o pracę UMOWY.INI"_cp, true, Named("UMOWY.INI")},
      {11, Gate::kFirmItems, 0x8, "PID-5 ", false,
       TaxForm("2019p5.13", "2018p5.13", ConvertPid5Record)},
      {12, Gate::kFirmItems, 0x8, "\"PIT-28\" ", false,
       TaxForm("2019_p28.rek", "2018_p28.rek", ConvertPit28Record)},
      {13, Gate::kFirmItems, 0x10, "Baza adresów"_cp, true, ConvertLocalAddressBase},
      {14, Gate::kFirmItems, 0x20, "Automat sprzedaży"_cp, true,
       Convert("baza_sp8.rek", "baza_sp9.rek", 160, 512, ConvertAutomatRecord)},
      {15, Gate::kFirmItems, 0x40, "Automat zakupów"_cp, true,
       Convert("baza_za8.rek", "baza_za9.rek", 160, 512, ConvertAutomatRecord)},
      {16, Gate::kFirmItems, 0x80, "", true, CopyFixedTexts},
      {17, Gate::kFirmItems, 0x100, "Baza przelewów"_cp, true,
       Convert("BAZA_PP8.REK", "BAZA_PP8.REK", 432, 432, ConvertTransferRecord)},
      {18, Gate::kExtraFiles, 0, "Lista dodatkowa ....", true, CopyExtraFiles},
      {19, Gate::kFirmItems, 0x200, "Ustawienia lokalne listy wynagrodzeń"_cp, true,
       ConvertPayrollItem},
      {20, Gate::kFirmItems, 0x400, "Ustawienia ZUS_PEL", true, Named("ZUS_PEL.INI")},
      {21, Gate::kFirmItems, 0x800, "Środki umożone jednorazowo (3500)"_cp, true,
       Records("ESTUJ.REK", 768, OneOffAssetTextHook)},
      {22, Gate::kFirmItems, 0x1000, "Ustawienia przelewów"_cp, true, TextCopy("BAZA_PP8.INI")},
      {23, Gate::kFirmItems, 0x2000, "Dwody wewnętrzne"_cp, true,
       Convert("BAZA_DW8.REK", "BAZA_DW8.REK", 784, 784, ConvertInternalDocRecord)},
      {24, Gate::kFirmItems, 0x4000, "Wystawiona lista odsetek", true,
       Records("ODS_ZOB.REK", 200, InterestTextHook)},
      {25, Gate::kFirmItems, 0x8000, "Lista pojazdów dla VAT"_cp, true,
       Records("AUTOV26.REK", 320, VehicleTextHook)},
      {26, Gate::kEntries2019, 0x1, "Dane wprowadzone do RUR:", true, ConvertLedgerMonths},
      {27, Gate::kEntries2019, 0x2, "Wynagrodzenia wprowadzone w 2019", true,
       ConvertWith("2019WP2.REK", "2019WP5.REK", 10176, 26624, ConvertWageRecord)},
      {28, Gate::kEntries2019, 0x4, "Umowy zlecenia wprowadzone w 2019", true, CheckContracts},
      {29, Gate::kEntries2019, 0x8, "Noty korygujące z 2019"_cp, true,
       Convert("2019_NK8.REK", "2019_NK8.REK", 848, 848, ConvertCorrectiveNoteRecord)},
      {30, Gate::kEntries2019, 0x10, "", true, ConvertDraAttachments},
      {31, Gate::kModuleItems, 0x1, "DLL: Srodki Trwale", true, CopyAssetModule},
      {32, Gate::kModuleItems, 0x2, "DLL : Kilometrówka KM140 \"Trion\""_cp, true,
       CopyMileageTrion},
      {33, Gate::kModuleItems, 0x4, "DLL : Kilometrówka KM150 \"qz\""_cp, true, CopyMileageQz},
      {34, Gate::kAlways, 0, "DLL : Import2RUR.EXE -> rur_import.xml", true,
       Named("rur_import.xml")},
  };
}

bool ItemEnabled(const Context& ctx, const TransferItem& item) {
  const RunOptions& o = ctx.run.options;
  auto has = [&item](uint16_t set) { return (set & item.mask) == item.mask; };
  switch (item.gate) {
    case Gate::kAlways: return true;
    case Gate::kFirmItems: return has(o.firm_items);
    case Gate::kEntries2019: return has(o.entries_2019);
    case Gate::kModuleItems: return has(o.module_items);
    case Gate::kUse2019: return ctx.firm.use_2019_settings;
    case Gate::kExtraFiles: return !ctx.run.extra_files.empty();
  }
  return false;
}

void RunTransferItem(Context& ctx, const TransferItem& item) {
  if (!ItemEnabled(ctx, item)) return;
  if (!item.label.empty()) {
    if (item.line_end) {
      ctx.log.Line(item.label);
    } else {
      ctx.log.Write(item.label);
    }
  }
  item.run(ctx);
}

Text ChooseYearSource(Context& ctx, const Text& name2019, const Text& name2018) {
  Text src2019 = SourceFile(ctx, name2019);
  if (FileSizeOf(ctx.fs, src2019) == 0) return SourceFile(ctx, name2018);
  if (ctx.firm.use_2019_settings || AskOverwrite(ctx, name2019)) return src2019;
  return SourceFile(ctx, name2018);
}

void ConvertLedgerMonths(Context& ctx) {
  for (int m = 1; m <= 12; ++m) {
    ctx.copy.append_to_target = (m == 1);
    Text month = MonthName(m);
    Text suffix = Text(".").append(IntToText(m));
    Text ledger = SourceFile(ctx, "2019K880" + suffix);
    if (FileSizeOf(ctx.fs, ledger) > 0) {
      ctx.log.Line("Konwertuję zapisy : "_cp + month);
      Text target = TargetFile(ctx, "2019K990" + suffix);
      StartLedgerFile(ctx, target, 1024);
      ConvertRecords(ctx, ledger, target, 400, 1024,
                     [&ctx](ConstBytes in, Bytes out) { return ConvertLedgerEntry(ctx, in, out); });
      HideConvertedFile(ctx, ledger);
    }
    Text repayment = SourceFile(ctx, "2019SP" + suffix);
    if (FileSizeOf(ctx.fs, repayment) > 0) {
      ctx.log.Line("Konwertuję spłaty : "_cp + month);
      ConvertRecords(ctx, repayment, TargetFile(ctx, "2019SP" + suffix), 48, 48,
                     [&ctx](ConstBytes in, Bytes out) { return ConvertRepayment(ctx, in, out); });
      HideConvertedFile(ctx, repayment);
    }
  }
  ctx.copy.append_to_target = false;
}

}  // namespace qz
