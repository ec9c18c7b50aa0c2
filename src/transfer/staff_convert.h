#ifndef QZ_TRANSFER_STAFF_CONVERT_H_
#define QZ_TRANSFER_STAFF_CONVERT_H_

#include <cstdint>

#include "text/record_fields.h"

namespace qz {

struct Context;

/// The fixed seed of the staff scrambling; the scrambled form of every
/// existing staff file depends on it, so it never changes.
inline constexpr uint32_t kStaffScrambleSeed = 173;

/// Transfer item 7, run for every firm before the staff item: the ask mode
/// becomes the chosen staff mode, the person list is emptied.
void StartStaffList(Context& ctx);

/// Transfer item 8, "DANE_PR8.REK", 2048 -> 2048 bytes (`RecordConverter`).
/// Unscrambles a scrambled record, drops deleted records, decides by the ask
/// mode whether the person is carried (logging the person and, in ask mode,
/// asking T/N/W), enters the carried person into the person list, passes
/// the texts and scrambles the record again if it came scrambled.
bool ConvertStaffRecord(Context& ctx, ConstBytes in, Bytes out);

/// Transfer item 9, "DANE_PF8.REK", 352 -> 352 bytes (`RecordConverter`).
/// Carries a family member whose staff person is in the person list; drops
/// deleted records silently and the others with a message and a key wait.
bool ConvertFamilyRecord(Context& ctx, ConstBytes in, Bytes out);

/// Transfer item 28, "2019UZ3.REK", 552-byte records copied with
/// `CopyRecords` (`RecordHook`, in place). Keeps a contract whose person is
/// in the person list (texts passed); drops the others like the families.
bool CheckContractRecord(Context& ctx, Bytes rec);

/// Scrambles or unscrambles (the same operation) bytes 14..2021 of a
/// 2048-byte staff record with the key stream of `kStaffScrambleSeed`.
void ScrambleStaffRecord(Bytes rec);

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_CONVERT_H_
