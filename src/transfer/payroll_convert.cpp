#include "transfer/payroll_convert.h"

#include <array>
#include <vector>

#include "text/format.h"

namespace qz {

namespace {

constexpr std::size_t kOldWageSize = 10176;
constexpr std::size_t kNewWageSize = 26624;
constexpr std::size_t kOldMonthStart = 423;
constexpr std::size_t kNewMonthStart = 423;
constexpr std::size_t kOldMonthSize = 800;
constexpr std::size_t kNewMonthSize = 2048;

// One field of a wage month block: where it goes in the new block, where it
// comes from in the old one, and how it is carried.
struct WageMove {
  enum Kind : uint8_t { kBytes, kText, kCents };
  Kind kind;
  uint16_t out;
  uint16_t in;
  uint16_t size;  // kBytes: byte count; kText: maximum characters
};

constexpr WageMove Raw(uint16_t out, uint16_t in, uint16_t n) { return {WageMove::kBytes, out, in, n}; }
constexpr WageMove Real(uint16_t out, uint16_t in) { return Raw(out, in, 8); }
constexpr WageMove Word(uint16_t out, uint16_t in) { return Raw(out, in, 2); }
constexpr WageMove Long(uint16_t out, uint16_t in) { return Raw(out, in, 4); }
constexpr WageMove Byte(uint16_t out, uint16_t in) { return Raw(out, in, 1); }

// The month block mapping, offsets relative to the block starts.
std::vector<WageMove> MonthMoves() {
  std::vector<WageMove> m = {{WageMove::kText, 6, 6, 6}};
  for (uint16_t j = 0; j < 10; ++j) m.push_back(Real(13 + 24 * j, 13 + 8 * j));
  m.push_back(Word(117, 93));
  m.push_back(Word(237, 95));
  for (uint16_t j = 0; j < 5; ++j) m.push_back(Real(493 + 72 * j, 97 + 8 * j));
  m.push_back(Real(1213, 137));
  m.push_back(Byte(1229, 145));
  for (uint16_t j = 0; j < 5; ++j) m.push_back(Real(1230 + 8 * j, 146 + 8 * j));
  m.push_back({WageMove::kCents, 1270, 776, 4});
  for (uint16_t j = 0; j < 7; ++j) m.push_back(Real(1278 + 8 * j, 186 + 8 * j));
  m.push_back(Byte(1334, 250));
  for (uint16_t j = 0; j < 4; ++j) m.push_back(Real(1335 + 8 * j, 251 + 8 * j));
  m.push_back(Byte(1367, 283));
  m.push_back(Raw(1368, 284, 24));
  m.push_back(Raw(1392, 308, 22));
  m.push_back(Raw(1414, 330, 48));
  m.push_back(Raw(1462, 378, 48));
  m.push_back(Real(1510, 426));
  m.push_back(Real(1518, 434));
  m.push_back(Real(1526, 242));
  m.push_back(Byte(1542, 442));
  m.push_back(Real(1543, 443));
  m.push_back(Byte(1551, 451));
  m.push_back(Real(1552, 452));
  m.push_back(Real(1560, 460));
  m.push_back({WageMove::kText, 1568, 468, 4});
  m.push_back(Raw(1573, 473, 8));
  for (uint16_t j = 0; j < 8; ++j) m.push_back(Raw(1581 + 30 * j, 481 + 30 * j, 30));
  m.push_back(Real(1885, 721));
  m.push_back(Real(1893, 729));
  m.push_back(Long(1901, 737));
  m.push_back(Long(1905, 741));
  m.push_back(Word(1909, 745));
  m.push_back(Word(1911, 747));
  m.push_back(Byte(1913, 749));
  m.push_back(Byte(1914, 750));
  m.push_back(Real(1915, 751));
  m.push_back(Real(1923, 759));
  m.push_back(Real(1931, 767));
  m.push_back(Byte(1939, 775));
  m.push_back(Word(1940, 780));
  m.push_back(Real(1942, 782));
  m.push_back(Byte(1950, 791));
  m.push_back(Byte(1951, 792));
  m.push_back(Byte(1952, 793));
  return m;
}

// Working days of the months of 2019, January to December.
constexpr std::array<uint8_t, 12> kWorkingDays2019 = {22, 20, 21, 21, 21, 19,
                                                      23, 21, 21, 23, 19, 20};

constexpr std::size_t kSettingsSize = 2048;
constexpr std::size_t kLayoutMark = 610;
constexpr uint8_t kNewLayout = 4;

// Moves the fields of an old-layout payroll settings record to their places
// in the new layout; everything else of the new record is 0.
void RebuildOldSettings(Bytes rec) {
  std::array<uint8_t, kSettingsSize> old_bytes;
  ConstBytes old(old_bytes);
  CopyBytes(old_bytes, 0, rec, 0, kSettingsSize);
  FillBytes(rec, 0, kSettingsSize, 0);
  for (std::size_t i = 0; i < 10; ++i) {
    std::size_t to = 22 * i;
    std::size_t from = 18 * i;
    PutText(rec, to, 2, GetText(old, from, 2));
    PutU16(rec, to + 3, GetU16(old, from + 3));
    PutText(rec, to + 5, 16, GetText(old, from + 5, 16));
  }
  for (std::size_t i = 0; i < 5; ++i) PutText(rec, 440 + 17 * i, 16, GetText(old, 185 + 18 * i, 16));
  CopyBytes(rec, 613, old, 270, 16);
  PutU16(rec, 629, GetU16(old, 292));
  PutU8(rec, 631, GetU8(old, 333));
  PutU8(rec, kLayoutMark, kNewLayout);
}

}  // namespace

bool ConvertWageRecord(Context& ctx, ConstBytes in, Bytes out) {
  (void)ctx;
  FillBytes(out, 0, kNewWageSize, 0);
  PutU8(out, 8, 5);  // layout mark of the new wage record

  CopyBytes(out, 0, in, 0, 8);
  PutU8(out, 9, GetU8(in, 9));
  PutU8(out, 14, GetU8(in, 14));
  CopyBytes(out, 15, in, 15, 408);

  PutU16(out, 24999, GetU16(in, 10023));
  CopyBytes(out, 25001, in, 10025, 2);
  CopyBytes(out, 25044, in, 10068, 60);
  CopyBytes(out, 25104, in, 10128, 2);
  PutU8(out, 25107, GetU8(in, 10131));
  PutReal(out, 25108, GetReal(in, 10132));

  static_assert(kOldMonthStart + 12 * kOldMonthSize == 10023);
  static_assert(kNewMonthStart + 12 * kNewMonthSize == 24999);
  const std::vector<WageMove> moves = MonthMoves();
  for (std::size_t m = 0; m < 12; ++m) {
    std::size_t b = kOldMonthStart + kOldMonthSize * m;
    std::size_t n = kNewMonthStart + kNewMonthSize * m;
    for (const WageMove& f : moves) {
      switch (f.kind) {
        case WageMove::kBytes:
          CopyBytes(out, n + f.out, in, b + f.in, f.size);
          break;
        case WageMove::kText:
          PutText(out, n + f.out, f.size, GetText(in, b + f.in, f.size));
          break;
        case WageMove::kCents:
          PutReal(out, n + f.out, CentsToAmount(GetI32(in, b + f.in)));
          break;
      }
    }
  }
  return true;
}

bool ConvertPayrollSettings(Context& ctx, Bytes rec) {
  (void)ctx;
  if (GetU8(rec, kLayoutMark) != kNewLayout) RebuildOldSettings(rec);
  PutU16(rec, 611, 2019);
  for (std::size_t m = 0; m < 12; ++m) PutU8(rec, 632 + m, kWorkingDays2019[m]);
  return true;
}

}  // namespace qz
