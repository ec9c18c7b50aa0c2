#ifndef QZ_TRANSFER_TRANSFER_TABLE_H_
#define QZ_TRANSFER_TRANSFER_TABLE_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "text/text.h"

namespace qz {

struct Context;

/// One item of the per-firm `TransferTable`.
struct TransferItem {
  /// What decides whether the item runs.
  enum class Gate : uint8_t {
    kAlways,
    kFirmItems,    ///< every bit of `mask` set in `FirmItems`
    kEntries2019,  ///< every bit of `mask` set in `Entries2019`
    kModuleItems,  ///< every bit of `mask` set in `ModuleItems`
    kUse2019,      ///< the old installation's 2019 settings were used
    kExtraFiles,   ///< the extra-file list is not empty
  };
  int number;
  Gate gate;
  uint16_t mask;
  /// Logged before the item (nothing when empty), with or without a line end.
  Text label;
  bool line_end;
  std::function<void(Context&)> run;
};

/// The items 1 to 34, in the order they run for every firm.
std::vector<TransferItem> TransferTable();

/// Whether `item` runs under the current options and firm state.
bool ItemEnabled(const Context& ctx, const TransferItem& item);

/// Logs the label of `item` and runs it when its gate is open.
void RunTransferItem(Context& ctx, const TransferItem& item);

/// The PID-5 / PIT-28 source rule: the old 2019 file (`name2019`) when it has
/// data and the 2019 settings are used or the user keeps it at the overwrite
/// question, else the old 2018 file. Returns the full source path.
Text ChooseYearSource(Context& ctx, const Text& name2019, const Text& name2018);

/// The ledger entries and repayments of every month already entered for
/// 2019, appending January to an existing target.
void ConvertLedgerMonths(Context& ctx);

}  // namespace qz

#endif  // QZ_TRANSFER_TRANSFER_TABLE_H_
