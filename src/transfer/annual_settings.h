#ifndef QZ_TRANSFER_ANNUAL_SETTINGS_H_
#define QZ_TRANSFER_ANNUAL_SETTINGS_H_

#include "text/record_fields.h"

namespace qz {

struct Context;

/// Record size and record count of an annual settings file.
inline constexpr std::size_t kAnnualRecordSize = 512;

/// Which old annual settings file a firm's 2019 settings are built from.
enum class AnnualSource { k2018, k2019 };

/// Builds target record 1, 2 or 3 (`index`) from the source record of the
/// same number; `out` is zeroed first. Pure: the VAT question and the
/// December warning are the caller's.
void BuildAnnualRecord(int index, AnnualSource source, ConstBytes in, Bytes out);

/// Builds the firm's "2019_ROK.REK" in the new installation from the old
/// "2018_ROK.REK" or "2019_ROK.REK" (asking when both exist), settles the
/// 2019 VAT proportion and publishes `Use2019Settings`, `VatByProportion`,
/// `VatProportion` and `FirmSourcePath` in `ctx.firm`. On a read or write
/// failure the target is deleted.
void ConvertAnnualSettings(Context& ctx);

}  // namespace qz

#endif  // QZ_TRANSFER_ANNUAL_SETTINGS_H_
