#ifndef QZ_TRANSFER_GLOBAL_RECORDS_H_
#define QZ_TRANSFER_GLOBAL_RECORDS_H_

#include <cstdint>

#include "text/record_fields.h"

namespace qz {

/// The fixed seed of the operator file's scrambling. Every operator file
/// already written depends on it, so it never changes.
inline constexpr uint32_t kOperatorScrambleSeed = 59;

/// Sizes of the office-wide record files.
inline constexpr uint16_t kAddressBaseRecordSize = 480;
inline constexpr uint16_t kOfficeRecordSize = 384;
inline constexpr uint16_t kOperatorRecordSize = 512;

/// `ConvertAddressBaseRecord`, 480 -> 480 bytes: an address record of
/// "baza_ad8.rek" (and of a firm's local address base), or, with
/// `tax_office_mode` (`TaxOfficeMode`), a tax office record of
/// "baza_us8.rek". Only the fields of the record's kind are carried; every
/// other byte of `out` is 0. Always true.
bool ConvertAddressBaseRecord(bool tax_office_mode, ConstBytes in, Bytes out);

/// `ConvertOfficeRecord`, "2018_BR.REK" -> "2019_BR.REK", 384 -> 384 bytes:
/// the office's billing data with the four invoice numberings restarted at
/// 1 "/2019" and a default billing line when it is empty. Always true.
bool ConvertOfficeRecord(ConstBytes in, Bytes out);

/// `ConvertOperatorRecord`, in place on a 512-byte record of "OPERATOR.REK":
/// unscrambles it, passes the three texts, adds the rights the new version
/// splits off older ones, and scrambles it again. Always true.
bool ConvertOperatorRecord(Bytes rec);

/// `ScrambleOperatorRecord`: XORs every byte of the 512-byte record with the
/// key stream of `kOperatorScrambleSeed`; the same call scrambles and
/// unscrambles.
void ScrambleOperatorRecord(Bytes rec);

}  // namespace qz

#endif  // QZ_TRANSFER_GLOBAL_RECORDS_H_
