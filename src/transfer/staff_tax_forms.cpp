#include "transfer/staff_tax_forms.h"

#include "app/context.h"
#include "app/text_pass.h"
#include "text/cp852.h"
#include "text/format.h"
#include "transfer/staff_question.h"
#include "transfer/staff_text_pass.h"

namespace qz {

namespace {

constexpr std::size_t kFormRecordSize = 13952;
constexpr std::size_t kYearDateOffset = 12;
constexpr std::size_t kSecondDateOffset = 16;
constexpr uint16_t kNewYear = 2019;

// Logs the person and decides whether the record is carried: always, or by
// the user's T/N answer when the PID-5 mode asks for each person.
bool TakeFormPerson(Context& ctx, ConstBytes in) {
  ctx.log.SetColour(8);
  ctx.log.Write("Osoba: "_cp);
  ctx.log.SetColour(15);
  ctx.log.Write(PassText(GetText(in, 105, 31) + " " + GetText(in, 137, 22)));
  ctx.log.SetColour(7);
  bool take = true;
  if (ctx.run.options.pid5_mode == 1) {
    ctx.log.SetColour(10);
    ctx.log.Write(" Przenieść T/N ? "_cp);
    ctx.log.SetColour(7);
    take = AskStaffKey(ctx, "TN") == 'T';
  }
  ctx.log.Line("");
  return take;
}

// A record that starts afresh for the new year: only the identifier and
// the year date 1 January 2019 (the second date stays empty).
void StartNewYearRecord(ConstBytes in, Bytes out) {
  FillBytes(out, 0, kFormRecordSize, 0);
  CopyBytes(out, 0, in, 0, 8);
  PutDate(out, kYearDateOffset, MakeDate(1, 1, kNewYear));
}

// The fields both forms share: the name code block, the identity block with
// the name texts passed and the address record.
void CopyPersonBlocks(ConstBytes in, Bytes out) {
  CopyNameCodeBlock(out, in, 20);
  CopyBytes(out, 91, in, 91, 73);
  PassTextFields(out, {{105, 31}, {137, 22}});
  CopyBytes(out, 164, in, 164, 224);
}

// Eight 103-byte blocks from `first`, copied with their two texts passed.
void CopyPid5Blocks(ConstBytes in, Bytes out, std::size_t first) {
  for (std::size_t k = 0; k < 8; ++k) {
    std::size_t b = first + 103 * k;
    CopyBytes(out, b, in, b, 103);
    PassTextFields(out, {{29, 36}, {66, 36}}, b);
  }
}

// The old year's value at +88 of each group goes to +0 of the same group of
// the new year's record.
void MoveGroupValues(ConstBytes in, Bytes out, std::size_t first, std::size_t stride,
                     std::size_t groups) {
  for (std::size_t k = 0; k < groups; ++k) {
    std::size_t g = first + stride * k;
    PutReal(out, g, GetReal(in, g + 88));
  }
}

}  // namespace

bool ConvertPid5Record(Context& ctx, ConstBytes in, Bytes out) {
  // Deleted records are dropped without a word, as in every person file.
  if (static_cast<int64_t>(GetLe<uint64_t>(in, 0)) < 0) return false;
  if (!TakeFormPerson(ctx, in)) return false;

  bool kept = ctx.firm.use_2019_settings && GetDate(in, kYearDateOffset).year == kNewYear;
  if (kept) {
    CopyBytes(out, 0, in, 0, kFormRecordSize);
  } else {
    StartNewYearRecord(in, out);
  }

  CopyPersonBlocks(in, out);
  CopyPid5Blocks(in, out, 388);
  MoveGroupValues(in, out, 1212, 424, 8);
  CopyPid5Blocks(in, out, 4604);
  if (!kept) MoveGroupValues(in, out, 5428, 424, 8);
  for (std::size_t k = 0; k < 2; ++k) {
    std::size_t b = 8820 + 169 * k;
    PutText(out, b + 0, 13, GetText(in, b + 0, 13));
    PutText(out, b + 14, 14, GetText(in, b + 14, 14));
    PutText(out, b + 29, 36, PassText(GetText(in, b + 29, 36)));
    PutText(out, b + 66, 36, PassText(GetText(in, b + 66, 36)));
    PutText(out, b + 103, 36, GetText(in, b + 103, 36));
    PutText(out, b + 140, 18, GetText(in, b + 140, 18));
    PutU32(out, b + 159, GetU32(in, b + 159));
    PutU32(out, b + 163, GetU32(in, b + 163));
    PutU16(out, b + 167, GetU16(in, b + 167));
  }
  if (!kept) MoveGroupValues(in, out, 9158, 522, 2);

  PutU8(out, 13884, GetU8(in, 13884));
  for (std::size_t off : {13886, 13899, 13901, 13903}) PutU16(out, off, GetU16(in, off));
  for (std::size_t off : {13929, 13930, 13943}) PutU8(out, off, GetU8(in, off));
  for (std::size_t off : {13888, 13889, 13890}) {
    uint8_t b = GetU8(in, off);
    PutU8(out, off, b == 0 ? 1 : b);
  }
  return true;
}

bool ConvertPit28Record(Context& ctx, ConstBytes in, Bytes out) {
  if (static_cast<int64_t>(GetLe<uint64_t>(in, 0)) < 0) return false;
  if (!TakeFormPerson(ctx, in)) return false;

  StartNewYearRecord(in, out);
  if (ctx.firm.use_2019_settings && GetDate(in, kSecondDateOffset).year == kNewYear) {
    CopyBytes(out, kSecondDateOffset, in, kSecondDateOffset, 4);
  }
  CopyPersonBlocks(in, out);
  // The old record's December value stands for every month of the new year.
  uint16_t december = GetU16(in, 5783);
  for (std::size_t k = 0; k < 12; ++k) {
    PutU16(out, 393 + 490 * k, december);
    PutU8(out, 877 + 490 * k, 3);
  }
  PutU8(out, 13943, GetU8(in, 13943));
  return true;
}

}  // namespace qz
