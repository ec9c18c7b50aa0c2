#ifndef QZ_TRANSFER_FIRM_STATE_H_
#define QZ_TRANSFER_FIRM_STATE_H_

#include <cstdint>

#include "text/text.h"

namespace qz {

/// Run state of the per-firm conversion, owned by the run's `Context`.
/// The per-firm fields are reset by `ConvertFirm` when a firm starts; the
/// sticky answer lives for the whole run.
struct FirmState {
  /// `FirmDir` of the firm being converted (no trailing separator).
  Text firm_dir;
  /// S and T: `SourceRoot` + `FirmDir` and `TargetRoot` + `FirmDir`.
  Text source_dir;
  Text target_dir;
  /// `Use2019Settings`: the old installation's 2019 annual settings were used.
  bool use_2019_settings = false;
  /// `VatByProportion`: the firm settles VAT by proportion.
  bool vat_by_proportion = false;
  /// `VatProportion`: the 2019 VAT proportion in percent (0..100).
  uint16_t vat_proportion = 0;
  /// `FirmSourcePath`: S cut to 40 characters, set by the annual settings.
  Text firm_source_path;
  /// `AlwaysUse2019Settings`: the answer "A" to the annual settings question;
  /// never reset during the run.
  bool always_use_2019_settings = false;
};

}  // namespace qz

#endif  // QZ_TRANSFER_FIRM_STATE_H_
