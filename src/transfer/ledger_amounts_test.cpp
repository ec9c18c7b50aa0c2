#include "transfer/ledger_amounts.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qz {
namespace {

using Entry = std::vector<uint8_t>;

// Amounts of every case unless the case overrides them: pairs (100 / 23)
// and (10 / 2.30), net amounts without VAT 7 and 5, additional amount 3,
// second VAT 1.50. Pair sums: net 110, VAT 25.30; all nets 122.
const std::vector<std::pair<std::size_t, double>> kBaseAmounts = {
    {248, 100}, {256, 23}, {264, 10}, {272, 2.3}, {280, 7}, {288, 5}, {328, 3}, {336, 1.5}};

// Marks the fields the recomputation may write, so a field left alone shows.
constexpr double kUntouched = -1;

struct Case {
  const char* name;
  int code;
  uint8_t flags;  // byte 237
  uint16_t kind;  // deduction kind at 243
  uint8_t no_computation, reduction, no_non_deducted;  // bytes 347, 348, 349
  std::vector<std::pair<std::size_t, double>> reals;   // overrides of the base amounts
  double result, net_left, vat_left, second_vat;        // 369, 845, 853, 336
};

Entry Build(const Case& c) {
  Entry e(1024, 0);
  PutU8(e, 237, c.flags);
  PutU8(e, 242, static_cast<uint8_t>(c.code | 0x80));  // the code is the low 7 bits
  PutU16(e, 243, c.kind);
  PutU16(e, 344, 60);
  PutU8(e, 347, c.no_computation);
  PutU8(e, 348, c.reduction);
  PutU8(e, 349, c.no_non_deducted);
  for (auto [off, v] : kBaseAmounts) PutReal(e, off, v);
  for (auto [off, v] : c.reals) PutReal(e, off, v);
  PutReal(e, 369, kUntouched);
  PutReal(e, 845, kUntouched);
  PutReal(e, 853, kUntouched);
  return e;
}

TEST(RecomputeLedgerAmounts, EveryColumnCodeAndSwitch) {
  const uint8_t kStore = 2 | 1;
  const Case cases[] = {
      {"col 3: net without VAT 280", 3, kStore, 0, 0, 0, 0, {}, 7, 0, 0, 1.5},
      {"col 30: same", 30, kStore, 0, 0, 0, 0, {}, 7, 0, 0, 1.5},
      {"col 5: net without VAT 288", 5, 2 | 4, 0, 0, 0, 0, {}, 5, 0, 0, 1.5},
      {"col 37: additional amount", 37, kStore, 0, 0, 0, 0, {}, 3, 0, 0, 1.5},
      {"col 40: same", 40, kStore, 0, 0, 0, 0, {}, 3, 0, 0, 1.5},
      {"col 38: two VATs, not stored", 38, kStore, 0, 0, 0, 0, {}, kUntouched, 0, 0, 1.5},
      {"col 41: not stored", 41, kStore, 0, 0, 0, 0, {}, kUntouched, 0, 0, 1.5},
      {"no computation switch", 10, kStore, 0, 1, 2, 0, {}, 0, 0, 0, 1.5},
      {"full deduction: nets + additional", 10, kStore, 0, 0, 0, 0, {}, 125, 0, 0, 1.5},
      {"by proportion, column without it", 10, kStore, 1, 0, 0, 0, {}, 125, 0, 0, 1.5},
      {"no deduction: nets + VAT + additional", 10, kStore, 2, 0, 0, 0, {}, 150.3, 0, 0, 1.5},
      {"col 39 adds the second VAT", 39, kStore, 0, 0, 0, 0, {}, 126.5, 0, 0, 1.5},
      {"col 39, second VAT 0", 39, kStore, 0, 0, 0, 0, {{336, 0}}, 125, 0, 0, 0},
      {"VAT halved (12.65)", 10, kStore, 0, 0, 2, 0, {}, 125, 0, 0, 12.65},
      {"halving rounds half a grosz up", 10, kStore, 0, 0, 2, 0, {{256, 0.05}, {272, 0}}, 125,
       0, 0, 0.03},
      {"halving rounds half a grosz away from zero", 10, kStore, 0, 0, 2, 0,
       {{256, -0.05}, {272, 0}}, 125, 0, 0, -0.03},
      {"proportion column, full deduction", 20, kStore, 0, 0, 0, 0, {}, 125, 0, 0, 1.5},
      {"proportion column, 60 %", 20, kStore, 1, 0, 0, 0, {}, 135.12, 44, 10.12, 1.5},
      {"proportion 60 %, not added (349)", 20, kStore, 1, 0, 0, 1, {}, 125, 44, 10.12, 1.5},
      {"proportion column, no deduction", 20, kStore, 2, 0, 0, 0, {}, 150.3, 110, 25.3, 1.5},
      {"limited to 0: nothing deducted", 20, kStore, 0, 0, 1, 0, {{336, 0}}, 150.3, 110, 25.3, 0},
      {"limited to 10", 20, kStore, 0, 0, 1, 0, {{336, 10}}, 140.3, 66.52, 15.3, 10},
      {"limit above the VAT", 20, kStore, 0, 0, 1, 0, {{336, 30}}, 125, 0, 0, 30},
      {"half deducted", 7, kStore, 0, 0, 2, 0, {}, 137.65, 55, 12.65, 12.65},
      {"half of half a grosz", 9, kStore, 0, 0, 2, 0,
       {{248, 0.05}, {256, 0.05}, {264, 0}, {272, 0}}, 15.07, 0.02, 0.02, 0.03},
      {"no VAT: full net not deducted", 36, kStore, 1, 0, 0, 0, {{256, 0}, {272, 0}}, 125, 110, 0,
       1.5},
      {"computed, result not stored", 20, 2, 1, 0, 0, 0, {}, kUntouched, 44, 10.12, 1.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Entry e = Build(c);
    RecomputeLedgerAmounts(e);
    EXPECT_NEAR(GetReal(e, 369), c.result, 1e-9);
    EXPECT_NEAR(GetReal(e, 845), c.net_left, 1e-9);
    EXPECT_NEAR(GetReal(e, 853), c.vat_left, 1e-9);
    EXPECT_NEAR(GetReal(e, 336), c.second_vat, 1e-9);
    EXPECT_EQ(GetReal(e, 378), 0.0);
  }
}

TEST(RecomputeLedgerAmounts, EntryWithoutComputedAmountsIsLeftAlone) {
  Case c{"flags without bit 2", 20, 1 | 4, 1, 0, 2, 0, {}, 0, 0, 0, 0};
  Entry e = Build(c);
  Entry before = e;
  RecomputeLedgerAmounts(e);
  EXPECT_EQ(e, before);
}

TEST(RecomputeLedgerAmounts, EntryProportionCutsTheStoredAmount) {
  struct ProportionCase {
    const char* name;
    uint8_t percent;       // byte 837
    uint32_t numerator;    // 32-bit 837 (overrides the byte when set)
    uint32_t denominator;  // 841
    uint8_t reduced_kind;  // byte 377 before
    double result, cut;
    uint8_t kind_after;
  };
  const ProportionCase cases[] = {
      {"25 % off", 25, 0, 0, 5, 93.75, 31.25, 0},
      {"one third", 0, 1, 3, 15, 41.67, 83.33, 15},
      {"percentage kind 0 stays", 50, 0, 0, 0, 62.5, 62.5, 0},
  };
  for (const ProportionCase& p : cases) {
    SCOPED_TRACE(p.name);
    Entry e = Build(Case{"", 10, 2 | 1, 0, 0, 0, 0, {}, 0, 0, 0, 0});
    if (p.denominator != 0) {
      PutU32(e, 837, p.numerator);
      PutU32(e, 841, p.denominator);
    } else {
      PutU8(e, 837, p.percent);
    }
    PutU8(e, 377, p.reduced_kind);
    RecomputeLedgerAmounts(e);
    EXPECT_NEAR(GetReal(e, 369), p.result, 1e-9);
    EXPECT_NEAR(GetReal(e, 378), p.cut, 1e-9);
    EXPECT_EQ(GetU8(e, 377), p.kind_after);
  }
}

}  // namespace
}  // namespace qz
