#ifndef QZ_TRANSFER_MODULE_DATA_H_
#define QZ_TRANSFER_MODULE_DATA_H_

#include "text/record_fields.h"

namespace qz {

struct Context;

// Text-pass hooks of the asset and mileage module files; every one returns
// true (each record is written).

/// "stbazy.rek", 367 bytes: the list of asset bases.
bool AssetBaseListTextHook(Bytes rec);
/// "st.cnf", 3837 bytes: the asset module configuration.
bool AssetConfigTextHook(Bytes rec);
/// "srodki.rek", "wyposaz.rek" and every further asset base, 39771 bytes;
/// includes the period texts of every month of 1985..2020.
bool AssetRecordTextHook(Bytes rec);
/// "km.cnf", 2395 bytes.
bool MileageConfigTextHook(Bytes rec);
/// "adresy.rek", 557 bytes.
bool MileageAddressTextHook(Bytes rec);
/// "samochod.rek", 704 bytes.
bool MileageCarTextHook(Bytes rec);
/// "*.kst" of the "_2019" folder, 572 bytes.
bool MileageKstTextHook(Bytes rec);
/// "*.wyj" of the "_2019" folder, 128 bytes.
bool MileageWyjTextHook(Bytes rec);

/// Record size of an asset base.
inline constexpr uint16_t kAssetRecordSize = 39771;

/// Copies the further asset bases named in the firm's "stbazy.rek" (all but
/// "SRODKI", which the module item copies itself). A name that is not a
/// plain file name is refused with a log line.
void CopyAssetBases(Context& ctx);

/// The fixed-asset module's files of the firm.
void CopyAssetModule(Context& ctx);
/// The first mileage log edition's files, the "_2019" folder included.
void CopyMileageTrion(Context& ctx);
/// The second mileage log edition's files.
void CopyMileageQz(Context& ctx);

}  // namespace qz

#endif  // QZ_TRANSFER_MODULE_DATA_H_
