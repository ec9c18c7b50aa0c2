#include "transfer/annual_settings.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/file_tests.h"
#include "text/cp852.h"
#include "text/format.h"
#include "text/polish.h"
#include "transfer/firm_files.h"
#include "transfer/record_moves.h"
#include "ui/message_box.h"

namespace qz {

namespace {

// Record 1, carried alike from either source.
constexpr FieldMove kRecord1Common[] = {
    Same(0, 2),   Same(5, 2),   Same(7, 2),   Same(12, 1),  Same(13, 1),  Same(14, 2),
    Same(112, 2), Same(114, 1), Same(115, 1), Same(116, 1), Same(117, 1), Same(122, 1),
    Same(123, 4), Same(127, 2), Same(133, 1), Same(135, 2), Same(137, 2), Same(139, 2),
    Same(141, 1), Same(142, 1), Same(143, 1), Same(254, 2), Same(364, 2), Same(408, 8),
    Same(418, 1), Same(419, 1), Same(420, 1), Same(421, 2), ByteConst(4, 3), ByteConst(131, 3)};
// Record 1 from the 2018 file: the new year starts at January, the VAT
// proportion planned for the following year becomes this year's, and the
// closing balances of December become the opening ones.
constexpr FieldMove kRecord1From2018[] = {ByteConst(2, 1),     ByteConst(3, 1),
                                          Moved(120, 118, 2),  Moved(246, 150, 8),
                                          Moved(344, 256, 8),  WordConst(416, 1)};
// Per-month pair k = 1..12 at 16 + 8 (k - 1), from the 2018 file.
constexpr FieldMove kMonthPairFrom2018[] = {WordConst(16, 1), WordConst(18, 1)};
// Record 1 from the 2019 file: the month bookkeeping and balances as they are.
constexpr FieldMove kRecord1From2019[] = {Same(2, 1),     Same(3, 1),    Same(118, 2),
                                          Same(150, 104), Same(256, 96), Same(416, 2)};
constexpr FieldMove kMonthPairFrom2019[] = {Same(16, 2), Same(18, 2)};

// Record 2: entries k = 1..10 at 2 + 16 (k - 1).
constexpr FieldMove kRecord2Common[] = {Same(0, 2), Same(162, 1), Same(163, 1)};
constexpr FieldMove kEntryFrom2018[] = {SameText(2, 6), WordConst(9, 1), SameText(11, 6)};
constexpr FieldMove kEntryFrom2019[] = {SameText(2, 6), Same(9, 2), SameText(11, 6)};

// Record 3: the monthly blocks k = 1..12 at 18 + 21 (k - 1) only from the 2019 file.
constexpr FieldMove kRecord3Common[] = {Same(0, 2), Same(2, 8), Same(10, 8), Same(270, 8),
                                        Same(278, 2)};
constexpr FieldMove kRecord3From2019[] = {Same(18, 21 * 12)};

constexpr std::size_t kVatFlag = 117;
constexpr std::size_t kVatProportion = 118;

// Asks which old file to use when both exist; true for the 2019 file.
bool AskUse2019(Context& ctx) {
  ctx.log.SetColour(12);
  ctx.log.Line("Występują dane ROCZNE za rok 2018 i 2019 !"_cp);
  ctx.log.Line("Wybierz z których skrzystać :"_cp);
  ctx.log.Write(" B-2018 N-2019, A-wszyskie następne na N  (B/N/A) ? "_cp);
  char answer = 0;
  while (answer == 0) {
    char c = static_cast<char>(UpCaseKey(ctx.log.WaitKey()));
    if (c == 'B' || c == 'N' || c == 'A') answer = c;
  }
  ctx.log.Line("");
  ctx.log.Line(" - wybrano: "_cp + Text(1, answer));
  ctx.log.Line("");
  if (answer == 'A') ctx.firm.always_use_2019_settings = true;
  return answer != 'B';
}

// A whole number from 0 to 100 (blanks around it allowed), or -1.
int ParseProportion(const Text& answer) {
  std::size_t b = answer.find_first_not_of(' ');
  std::size_t e = answer.find_last_not_of(' ');
  if (b == Text::npos) return -1;
  Text digits = answer.substr(b, e - b + 1);
  if (digits.size() > 3 || !std::all_of(digits.begin(), digits.end(),
                                         [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  int v = std::stoi(digits);
  return v <= 100 ? v : -1;
}

uint16_t AskVatProportion(Context& ctx, AnnualSource source, ConstBytes in) {
  Text text = "Firma rozliczała  VAT w proporcji "_cp;
  if (source == AnnualSource::k2018) text += IntToText(GetU16(in, kVatProportion)) + "%";
  text += "\ra zakładana na 2019 wynosi 0% ?\rPodaj właściwą:"_cp;
  for (;;) {
    SetInputBoxWidth(ctx.ui, 3);
    Text answer = "0";
    InputBox(ctx.ui, text, &answer, false);  // taken whatever ended the box
    int v = ParseProportion(answer);
    if (v >= 0) return static_cast<uint16_t>(v);
    ctx.ui.ErrorBeep();
  }
}

void BuildRecord1(Context& ctx, AnnualSource source, ConstBytes in, Bytes out) {
  BuildAnnualRecord(1, source, in, out);
  ctx.firm.vat_by_proportion = GetU8(out, kVatFlag) != 0;
  ctx.firm.vat_proportion = GetU16(out, kVatProportion);
  if (ctx.firm.vat_by_proportion && ctx.firm.vat_proportion == 0) {
    ctx.firm.vat_proportion = AskVatProportion(ctx, source, in);
    PutU16(out, kVatProportion, ctx.firm.vat_proportion);
  }
  if (source == AnnualSource::k2018 && GetU8(in, 3) != 13 && ctx.run.options.warn_open_december) {
    ctx.log.Line("Nie zatwierdzono miesiąca GRUDNIA.2018"_cp);
    ctx.ui.ErrorBeep();
    ctx.log.Line("mogę przenieść niepoprawny stan BZ.2018 jako BO.2019"_cp);
    ctx.ui.ErrorBeep();
    ctx.log.WaitKey();
  }
}

enum class Step { kOk, kReadFailed, kWriteFailed };

}  // namespace

void BuildAnnualRecord(int index, AnnualSource source, ConstBytes in, Bytes out) {
  std::fill(out.begin(), out.end(), uint8_t{0});
  bool from2018 = source == AnnualSource::k2018;
  switch (index) {
    case 1:
      ApplyMoves(in, out, kRecord1Common);
      if (from2018) {
        ApplyMoves(in, out, kRecord1From2018);
      } else {
        ApplyMoves(in, out, kRecord1From2019);
      }
      for (std::size_t k = 0; k < 12; ++k) {
        ApplyMoves(in, out, from2018 ? std::span<const FieldMove>(kMonthPairFrom2018)
                                     : std::span<const FieldMove>(kMonthPairFrom2019),
                   8 * k, 8 * k);
      }
      break;
    case 2:
      ApplyMoves(in, out, kRecord2Common);
      for (std::size_t k = 0; k < 10; ++k) {
        ApplyMoves(in, out, from2018 ? std::span<const FieldMove>(kEntryFrom2018)
                                     : std::span<const FieldMove>(kEntryFrom2019),
                   16 * k, 16 * k);
      }
      break;
    case 3:
      ApplyMoves(in, out, kRecord3Common);
      if (!from2018) ApplyMoves(in, out, kRecord3From2019);
      break;
  }
}

void ConvertAnnualSettings(Context& ctx) {
  ctx.firm.firm_source_path.clear();
  ctx.log.SetColour(9);
  ctx.log.Line("Konwersja danych ROCZNYCH ustawień firmy "_cp);

  Text file2018 = SourceFile(ctx, "2018_ROK.REK");
  Text file2019 = SourceFile(ctx, "2019_ROK.REK");
  bool has2018 = FileSizeOf(ctx.fs, file2018) > 0;
  bool has2019 = FileSizeOf(ctx.fs, file2019) > 0;
  if (!has2018 && !has2019) {
    ctx.log.SetColour(12);
    ctx.log.Line("Brak danych nnnnROK.REK danych za 2018 i 2019 !"_cp);
    ctx.log.WaitKey();
    return;
  }
  bool use2019 = !has2018 || (has2019 && (ctx.firm.always_use_2019_settings || AskUse2019(ctx)));
  AnnualSource source = use2019 ? AnnualSource::k2019 : AnnualSource::k2018;
  if (use2019) ctx.firm.use_2019_settings = true;

  std::unique_ptr<File> src;
  if (ctx.fs.Open(use2019 ? file2019 : file2018, Access::kRead, Sharing::kDenyNone, &src) !=
      dos::kOk) {
    ctx.log.SetColour(12);
    ctx.log.Line("brak dostępu do danych za FirmaREK !"_cp);
    ctx.log.WaitKey();
    return;
  }
  Text target = TargetFile(ctx, "2019_ROK.REK");
  std::unique_ptr<File> dst;
  if (ctx.fs.Create(target, &dst) != dos::kOk) {
    ctx.log.SetColour(12);
    ctx.log.Line("brak dostępu do danych FirmaREK za 2019 !"_cp);
    src->Close();
    ctx.log.WaitKey();
    return;
  }

  std::vector<uint8_t> in(kAnnualRecordSize);
  std::vector<uint8_t> out(kAnnualRecordSize);
  Step step = Step::kOk;
  for (int index = 1; index <= 3 && step == Step::kOk; ++index) {
    std::size_t got = 0;
    if (src->Read(in.data(), in.size(), &got) != dos::kOk || got != in.size()) {
      step = Step::kReadFailed;
      break;
    }
    if (index == 1) {
      ctx.firm.firm_source_path = ctx.firm.source_dir.substr(0, 40);
      BuildRecord1(ctx, source, in, out);
    } else {
      BuildAnnualRecord(index, source, in, out);
    }
    if (dst->Write(out.data(), out.size()) != dos::kOk) step = Step::kWriteFailed;
  }
  src->Close();
  // Settings that did not reach the disk whole are a failed write as well.
  if (dst->Close() != dos::kOk && step == Step::kOk) step = Step::kWriteFailed;
  if (step != Step::kOk) {
    ctx.log.Line(step == Step::kReadFailed ? "Błąd odczytu danych z 2018"_cp
                                           : "Błąd zapisu danych do 2019"_cp);
    // A half-built settings file must not pass for a converted one.
    ctx.fs.Remove(target);
    ctx.log.WaitKey();
    return;
  }
  ctx.log.SlowPause();
  ctx.log.Line("Utworzono dane w 2019"_cp);
}

}  // namespace qz
