#ifndef QZ_TRANSFER_CONVERT_FIRM_H_
#define QZ_TRANSFER_CONVERT_FIRM_H_

#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct Context;

/// Size of the year marker record "_qz_rur.rek".
inline constexpr std::size_t kYearMarkerSize = 256;

/// Sets the new year's fields of a year marker record in place.
void SetYearMarker(Bytes marker);

/// Starts the per-firm state for `firm_dir`: its old and new directories,
/// `Use2019Settings`, `VatByProportion`, `VatProportion` and `FirmSourcePath`
/// cleared. The run-wide answers are kept.
void BeginFirm(Context& ctx, const Text& firm_dir);

/// Everything for one firm (`firm_dir`, the firm's directory name): the
/// firm's directory and year marker in the new installation, then every
/// item of the `TransferTable`. True when the firm is to be entered in the
/// new firm list, however the items fared; false when the firm has no
/// annual settings or its year marker cannot be read or written.
bool ConvertFirm(Context& ctx, const Text& firm_dir);

}  // namespace qz

#endif  // QZ_TRANSFER_CONVERT_FIRM_H_
