#include "transfer/ledger_amounts.h"

#include <cmath>

#include "text/format.h"

namespace qz {

namespace {

// Offsets of the converted ledger entry.
constexpr std::size_t kAmountFlags = 237;
constexpr std::size_t kColumn = 242;
constexpr std::size_t kDeductionKind = 243;
constexpr std::size_t kSecondVat = 336;
constexpr std::size_t kProportion = 344;
constexpr std::size_t kNoComputation = 347;
constexpr std::size_t kVatReduction = 348;
constexpr std::size_t kNoNonDeducted = 349;
constexpr std::size_t kResult = 369;
constexpr std::size_t kReducedKind = 377;
constexpr std::size_t kReducedPart = 378;
constexpr std::size_t kNetNotDeducted = 845;
constexpr std::size_t kVatNotDeducted = 853;

bool NearlyZero(double x) { return std::fabs(x) <= 0.00009; }

double Real(ConstBytes e, std::size_t off) { return GetReal(e, off); }

// The sums of the four (net, VAT) pairs.
double PairNets(ConstBytes e) { return Real(e, 248) + Real(e, 264) + Real(e, 296) + Real(e, 312); }
double PairVats(ConstBytes e) { return Real(e, 256) + Real(e, 272) + Real(e, 304) + Real(e, 320); }

// The net and VAT amounts of the entry that are not deducted: the full sums
// less the part deducted under the VAT reduction and the deduction kind.
void ComputeNotDeducted(Bytes e) {
  double n = PairNets(e);
  double v = PairVats(e);
  PutReal(e, kNetNotDeducted, n);
  PutReal(e, kVatNotDeducted, v);
  if (!NearlyZero(v)) {
    double limit = Real(e, kSecondVat);
    switch (GetU8(e, kVatReduction)) {
      case 1:
        if (NearlyZero(limit)) {
          n = 0;
          v = 0;
        } else if (std::fabs(limit) < std::fabs(v)) {
          n = RoundMoney(n * limit / v);
          v = limit;
        }
        break;
      case 2:
        n = RoundMoney(n / 2);
        v = RoundMoney(v / 2);
        break;
      default:
        break;
    }
  }
  if (NearlyZero(v)) return;
  switch (GetU16(e, kDeductionKind)) {
    case 0:
      break;
    case 1: {
      double p = GetU16(e, kProportion);
      v = RoundMoney(p * v / 100);
      n = RoundMoney(p * n / 100);
      break;
    }
    default:
      n = 0;
      v = 0;
      break;
  }
  double vat_left = Real(e, kVatNotDeducted);
  double net_left = Real(e, kNetNotDeducted);
  SubtractOrZero(v, &vat_left);
  SubtractOrZero(n, &net_left);
  PutReal(e, kVatNotDeducted, vat_left);
  PutReal(e, kNetNotDeducted, net_left);
}

}  // namespace

bool InProportionColumns(int code) {
  switch (code) {
    case 7: case 9: case 15: case 20: case 31: case 32: case 33: case 35: case 36:
      return true;
    default:
      return false;
  }
}

void RecomputeLedgerAmounts(Bytes e) {
  uint8_t flags = GetU8(e, kAmountFlags);
  if (!FlagSet(flags, 2)) return;
  bool store_1 = FlagSet(flags, 1);
  bool store_4 = FlagSet(flags, 4);
  int k = Low7(GetU8(e, kColumn));

  double v = 0;
  ZeroPair(e, kNetNotDeducted);
  switch (k) {
    case 3: case 30:
      v = Real(e, 280);
      break;
    case 5:
      v = Real(e, 288);
      break;
    case 37: case 40:
      v = Real(e, 328);
      break;
    case 38:
      v = Real(e, 256) + Real(e, 272);
      break;
    case 41:
      break;
    default: {
      if (GetU8(e, kNoComputation) != 0) break;
      double net = Real(e, 248) + Real(e, 264) + Real(e, 280) + Real(e, 288) + Real(e, 296) +
                   Real(e, 312);
      double vat = PairVats(e);
      bool no_deduction = GetU16(e, kDeductionKind) == 2;
      if (no_deduction) {
        v = net + vat + Real(e, 328);
      } else {
        v = net + Real(e, 328);
        if (k == 39) AddIfNonZero(Real(e, kSecondVat), &v);
      }
      if (GetU8(e, kVatReduction) == 2) PutReal(e, kSecondVat, RoundMoney(0.5 * vat));
      if (InProportionColumns(k)) {
        ComputeNotDeducted(e);
        if (!no_deduction && GetU8(e, kNoNonDeducted) == 0) {
          AddIfNonZero(Real(e, kVatNotDeducted), &v);
        }
      }
      break;
    }
  }

  if (!store_1 && !store_4) return;
  if (k == 38 || k == 41) return;
  if (ProportionSet(e)) {
    double w = v;
    v = ApplyProportion(e, v);
    uint8_t reduced = GetU8(e, kReducedKind);
    if (reduced != 0 && reduced != 15) PutU8(e, kReducedKind, 0);
    PutReal(e, kReducedPart, w - v);
  }
  PutReal(e, kResult, v);
}

}  // namespace qz
