#ifndef QZ_TRANSFER_GLOBAL_DATA_H_
#define QZ_TRANSFER_GLOBAL_DATA_H_

#include "text/text.h"

namespace qz {

struct Context;

/// Bits of `GlobalItems`, one per item of the global data page.
namespace global_item {
inline constexpr uint16_t kAddressBase = 0x001;
inline constexpr uint16_t kTaxOffices = 0x002;
inline constexpr uint16_t kKeyTexts = 0x004;
inline constexpr uint16_t kOfficeData = 0x008;
inline constexpr uint16_t kProgramIni = 0x010;
inline constexpr uint16_t kTaxConstants = 0x020;
inline constexpr uint16_t kPayroll = 0x040;
inline constexpr uint16_t kColours = 0x080;
inline constexpr uint16_t kYearIni = 0x100;
inline constexpr uint16_t kOperators = 0x200;
inline constexpr uint16_t kZusContracts = 0x400;
}  // namespace global_item

/// The old program directory S (`SourceRoot` + `SourceProgramDir`) and the
/// new one T (`TargetRoot` + "#BIN990"), without a trailing separator.
Text SourceProgramPath(const Context& ctx);
Text TargetProgramPath(const Context& ctx);

/// `TransferGlobalData`: carries the ticked office-wide items from the old
/// program directory into the new one, in a fixed order, logging each. A
/// missing old program directory is reported (box and log) and the stage
/// is skipped; a new program directory that cannot be created ends the
/// process with exit code 1 (`ExitRequest`).
void TransferGlobalData(Context& ctx);

/// `CopyProgramFile`: the binary copy of S\name to T\name (`convert`: through
/// the block conversion); the result is dropped.
void CopyProgramFile(Context& ctx, const Text& name, bool convert);
/// `CopyProgramFileAs`: the same from S\src_name to T\dst_name.
void CopyProgramFileAs(Context& ctx, const Text& src_name, const Text& dst_name, bool convert);

}  // namespace qz

#endif  // QZ_TRANSFER_GLOBAL_DATA_H_
