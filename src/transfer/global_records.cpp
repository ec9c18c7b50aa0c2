#include "transfer/global_records.h"

#include "app/text_pass.h"
#include "text/cp852.h"
#include "text/format.h"

namespace qz {

namespace {

// A text field carried through the text pass into a cleared output record.
void PassInto(Bytes out, ConstBytes in, std::size_t off, std::size_t max) {
  PutText(out, off, max, PassText(GetText(in, off, max)), TextTail::Zero);
}

// A text field carried as it is (cut to its maximum) into a cleared record.
void PlainInto(Bytes out, ConstBytes in, std::size_t off, std::size_t max) {
  PutText(out, off, max, GetText(in, off, max), TextTail::Zero);
}

// A text field passed in place; the bytes after the text stay as they were,
// so a record whose texts come back unchanged keeps every byte.
void PassInPlace(Bytes rec, std::size_t off, std::size_t max) {
  Text passed = PassText(GetText(rec, off, max));
  if (GetU8(rec, off) <= max && passed == GetText(rec, off, max)) return;
  PutText(rec, off, max, passed, TextTail::Keep);
}

void ConvertAddress(ConstBytes in, Bytes out) {
  PutU8(out, 4, 0);
  for (std::size_t off : {5, 42, 79}) PassInto(out, in, off, 36);
  PlainInto(out, in, 116, 18);
  PlainInto(out, in, 135, 14);
  PlainInto(out, in, 150, 11);
  PlainInto(out, in, 162, 6);
  PassInto(out, in, 181, 20);
  PassInto(out, in, 202, 30);
  PassInto(out, in, 233, 20);
  PassInto(out, in, 254, 20);
  PassInto(out, in, 275, 36);
  PassInto(out, in, 388, 36);
  PassInto(out, in, 425, 36);
  PutU8(out, 462, GetU8(in, 462));
  CopyBytes(out, 312, in, 312, 39);
}

void ConvertTaxOffice(ConstBytes in, Bytes out) {
  PutU8(out, 4, 1);
  PassInto(out, in, 5, 48);
  PlainInto(out, in, 402, 4);
  PlainInto(out, in, 54, 6);
  PassInto(out, in, 61, 26);
  PassInto(out, in, 88, 44);
  PassInto(out, in, 133, 52);
  PassInto(out, in, 186, 20);
  for (std::size_t off : {207, 246, 285, 324, 363}) CopyBytes(out, off, in, off, 39);
}

// Rights groups of the operator record: 16-bit sets at 133 + 2 * group.
constexpr std::size_t RightsOffset(int group) { return 133 + 2 * static_cast<std::size_t>(group); }

bool HasRight(ConstBytes rec, int group, uint16_t bits) {
  return FlagSet(GetU16(rec, RightsOffset(group)), bits);
}

}  // namespace

bool ConvertAddressBaseRecord(bool tax_office_mode, ConstBytes in, Bytes out) {
  FillBytes(out, 0, kAddressBaseRecordSize, 0);
  PutU32(out, 0, GetU32(in, 0));
  if (tax_office_mode) {
    ConvertTaxOffice(in, out);
  } else {
    ConvertAddress(in, out);
  }
  return true;
}

bool ConvertOfficeRecord(ConstBytes in, Bytes out) {
  FillBytes(out, 0, kOfficeRecordSize, 0);
  for (std::size_t off : {0, 37, 74}) PassInto(out, in, off, 36);
  PlainInto(out, in, 111, 13);
  PassInto(out, in, 125, 26);
  // The invoice numberings start again with the new year.
  for (std::size_t i = 0; i < 4; ++i) {
    PutU16(out, 152 + 13 * i, 1);
    PutText(out, 154 + 13 * i, 10, "/2019", TextTail::Zero);
  }
  PassInto(out, in, 245, 36);
  if (GetU8(out, 245) == 0) {
    PutText(out, 245, 36, "Prowadzenie księgi - {zamiesiac}"_cp, TextTail::Zero);
  }
  PlainInto(out, in, 204, 40);
  PutU8(out, 282, GetU8(in, 282));
  PassInto(out, in, 283, 26);
  PutU16(out, 349, GetU16(in, 349));
  CopyBytes(out, 310, in, 310, 39);
  return true;
}

void ScrambleOperatorRecord(Bytes rec) {
  // The run-time generator of the accounting program: a linear congruential
  // step, then the high 32 bits of seed * 255.
  uint32_t seed = kOperatorScrambleSeed;
  for (std::size_t p = 0; p < kOperatorRecordSize; ++p) {
    seed = seed * 134775813u + 1u;
    auto r = static_cast<uint8_t>((uint64_t{seed} * 255u) >> 32);
    PutU8(rec, p, static_cast<uint8_t>(GetU8(rec, p) ^ r));
  }
}

bool ConvertOperatorRecord(Bytes rec) {
  ScrambleOperatorRecord(rec);
  PassInPlace(rec, 24, 30);
  PassInPlace(rec, 55, 16);
  PassInPlace(rec, 93, 37);
  // Rights the new version keeps apart: whoever had the broader right of the
  // old version gets the new one as well.
  uint16_t group3 = GetU16(rec, RightsOffset(3));
  if (HasRight(rec, 3, 4) && !HasRight(rec, 3, 16)) group3 |= 16;
  if (HasRight(rec, 5, 2) && !HasRight(rec, 3, 8)) group3 |= 8;
  PutU16(rec, RightsOffset(3), group3);
  ScrambleOperatorRecord(rec);
  return true;
}

}  // namespace qz
