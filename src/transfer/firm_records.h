#ifndef QZ_TRANSFER_FIRM_RECORDS_H_
#define QZ_TRANSFER_FIRM_RECORDS_H_

#include "text/record_fields.h"

namespace qz {

// Record hooks and converters of the firm's own files. Every one returns
// true: each record is written.

/// "2019ZAL.REK", 1024 bytes: text pass of the twelve monthly texts.
bool ZalTextHook(Bytes rec);
/// "ODS_ZOB.REK", 200 bytes: text pass of the interest list texts.
bool InterestTextHook(Bytes rec);
/// "AUTOV26.REK", 320 bytes: text pass of the vehicle texts.
bool VehicleTextHook(Bytes rec);
/// "ESTUJ.REK", 768 bytes: text pass of the one-off depreciation texts.
bool OneOffAssetTextHook(Bytes rec);

/// Sales / purchase automat, 160 -> 512 bytes: texts widened, flag byte 400 := 1.
bool ConvertAutomatRecord(ConstBytes in, Bytes out);
/// "BAZA_DW8.REK", 784 -> 784 bytes: internal documents.
bool ConvertInternalDocRecord(ConstBytes in, Bytes out);
/// "BAZA_PP8.REK", 432 -> 432 bytes: transfers; the texts of block 299..408
/// depend on the record kind in byte 0.
bool ConvertTransferRecord(ConstBytes in, Bytes out);
/// "2019_NK8.REK", 848 -> 848 bytes: corrective notes with two party blocks.
bool ConvertCorrectiveNoteRecord(ConstBytes in, Bytes out);
/// One 152-byte party block of a corrective note at `in_off` / `out_off`.
void ConvertNoteParty(ConstBytes in, Bytes out, std::size_t in_off, std::size_t out_off);

}  // namespace qz

#endif  // QZ_TRANSFER_FIRM_RECORDS_H_
