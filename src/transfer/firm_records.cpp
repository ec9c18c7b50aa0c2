#include "transfer/firm_records.h"

#include <algorithm>

#include "transfer/record_moves.h"

namespace qz {

namespace {

void Zero(Bytes out) { std::fill(out.begin(), out.end(), uint8_t{0}); }

constexpr FieldMove kZalText[] = {Pass(14, 70)};  // k = 1..12 at 14 + 71 (k - 1)

constexpr FieldMove kInterestTexts[] = {Pass(14, 40), Pass(55, 40), Pass(108, 30), Pass(146, 20)};

constexpr FieldMove kVehicleTexts[] = {Pass(4, 32), Pass(37, 32), Pass(70, 12)};

constexpr FieldMove kOneOffAssetTexts[] = {
    Pass(20, 16),  Pass(37, 16),  Pass(54, 43),  Pass(98, 12),  Pass(111, 60), Pass(172, 18),
    Pass(199, 50), Pass(250, 50), Pass(301, 50), Pass(352, 50), Pass(411, 43)};

constexpr FieldMove kAutomat[] = {
    SameText(0, 18),
    TextTo(19, 36, 19, 128),
    TextTo(56, 36, 148, 128),
    TextTo(93, 36, 277, 80),
    TextTo(130, 20, 358, 40),
    Moved(151, 399, 1),
    ByteConst(400, 1),
    Moved(153, 401, 1),
    Moved(154, 402, 1),
    Moved(155, 403, 4),
};

constexpr FieldMove kInternalDoc[] = {Same(0, 1),  Same(1, 4),     Pass(5, 22), Pass(28, 36),
                                      Same(65, 1), Pass(684, 31), Pass(716, 22)};
// Entry k = 1..10 at 74 + 61 (k - 1).
constexpr FieldMove kInternalDocEntry[] = {Pass(0, 36), Same(37, 8), Same(45, 8), Same(53, 8)};

constexpr FieldMove kTransfer[] = {Same(0, 1),    Pass(1, 54),    Pass(56, 54),   Same(111, 39),
                                   Pass(150, 54), Pass(205, 54),  Same(260, 39),  Same(299, 110),
                                   Same(409, 8),  Same(417, 4),   Same(421, 2)};
constexpr FieldMove kTransferKind0[] = {Pass(299, 54), Pass(354, 54)};
constexpr FieldMove kTransferKind1[] = {Pass(362, 20)};

constexpr FieldMove kCorrectiveNote[] = {Same(0, 4),    Pass(4, 16),  Same(21, 4),
                                         Pass(25, 20),  Pass(46, 22), Same(69, 4)};
constexpr FieldMove kCorrectiveNoteLine[] = {Pass(377, 38)};  // k = 1..12, step 39

constexpr FieldMove kNoteParty[] = {SameText(0, 18), Pass(19, 36),  Pass(56, 36),
                                    SameText(93, 6), Pass(100, 20), Pass(121, 30)};

}  // namespace

bool ZalTextHook(Bytes rec) {
  for (int k = 0; k < 12; ++k) PassTextsInPlace(rec, kZalText, 71 * k);
  return true;
}

bool InterestTextHook(Bytes rec) {
  PassTextsInPlace(rec, kInterestTexts);
  return true;
}

bool VehicleTextHook(Bytes rec) {
  PassTextsInPlace(rec, kVehicleTexts);
  return true;
}

bool OneOffAssetTextHook(Bytes rec) {
  PassTextsInPlace(rec, kOneOffAssetTexts);
  return true;
}

bool ConvertAutomatRecord(ConstBytes in, Bytes out) {
  Zero(out);
  ApplyMoves(in, out, kAutomat);
  return true;
}

bool ConvertInternalDocRecord(ConstBytes in, Bytes out) {
  Zero(out);
  ApplyMoves(in, out, kInternalDoc);
  for (std::size_t k = 0; k < 10; ++k) {
    ApplyMoves(in, out, kInternalDocEntry, 74 + 61 * k, 74 + 61 * k);
  }
  return true;
}

bool ConvertTransferRecord(ConstBytes in, Bytes out) {
  Zero(out);
  ApplyMoves(in, out, kTransfer);
  // The block 299..408 is copied whole; its texts, which depend on the
  // record kind, then go through the text pass in the target.
  switch (GetU8(in, 0)) {
    case 0: PassTextsInPlace(out, kTransferKind0); break;
    case 1: PassTextsInPlace(out, kTransferKind1); break;
    default: break;
  }
  return true;
}

bool ConvertCorrectiveNoteRecord(ConstBytes in, Bytes out) {
  Zero(out);
  ApplyMoves(in, out, kCorrectiveNote);
  ConvertNoteParty(in, out, 73, 73);
  ConvertNoteParty(in, out, 225, 225);
  for (std::size_t k = 0; k < 12; ++k) ApplyMoves(in, out, kCorrectiveNoteLine, 39 * k, 39 * k);
  return true;
}

void ConvertNoteParty(ConstBytes in, Bytes out, std::size_t in_off, std::size_t out_off) {
  ApplyMoves(in, out, kNoteParty, in_off, out_off);
}

}  // namespace qz
