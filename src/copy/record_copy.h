#ifndef QZ_COPY_RECORD_COPY_H_
#define QZ_COPY_RECORD_COPY_H_

#include <cstdint>
#include <functional>

#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct Context;

/// Sees each record read by `CopyRecords` in place (the whole record
/// buffer) and may change it; returns whether the record is written.
using RecordHook = std::function<bool(Bytes record)>;
/// Builds the output record (`out`, target size, not cleared between calls)
/// from the input record (`in`, source size); returns whether `out` is written.
using RecordConverter = std::function<bool(ConstBytes in, Bytes out)>;

/// Copies a file of `rec_size`-byte records through `hook` (none: every
/// record unchanged); a short last record is written with its own length.
/// Sets `ctx.copy.record_counter` to 1 and counts every read and write.
/// An existing target with data is appended to when
/// `ctx.copy.append_to_target`, else asked about. True when the source has
/// no data or the whole source reached a target that closed without error;
/// false when the target is kept or after a logged failure.
bool CopyRecords(Context& ctx, const Text& src, const Text& dst, uint16_t rec_size,
                 const RecordHook& hook);
/// Reads `src_size`-byte records and writes `dst_size`-byte records built by
/// `conv` (none: nothing written). A short last record reaches `conv`
/// padded with zeros. Target handling and result as `CopyRecords`.
bool ConvertRecords(Context& ctx, const Text& src, const Text& dst, uint16_t src_size,
                    uint16_t dst_size, const RecordConverter& conv);
/// The converter of 224-byte address records: copies the record unchanged.
bool CopyAddressRecord(ConstBytes in, Bytes out);

}  // namespace qz

#endif  // QZ_COPY_RECORD_COPY_H_
