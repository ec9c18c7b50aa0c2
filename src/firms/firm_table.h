#ifndef QZ_FIRMS_FIRM_TABLE_H_
#define QZ_FIRMS_FIRM_TABLE_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "firms/firm_list.h"

namespace qz {

/// `FirmEntry`: one detected firm: its firm list record and whether it is
/// chosen for the run.
struct FirmEntry {
  FirmListRecord record{};
  bool selected = true;
};

/// `FirmTable`: the detected firms, numbered 1..count() in the order of the
/// old firm list, at most `kMaxFirms`.
class FirmTable {
 public:
  static constexpr int32_t kMaxFirms = 2048;

  int32_t count() const { return static_cast<int32_t>(entries_.size()); }
  bool full() const { return count() >= kMaxFirms; }
  /// Adds a copy of `record`, selected; false when the table is full.
  bool Add(ConstBytes record);
  /// Empties every slot.
  void Clear() { entries_.clear(); }

 private:
  friend FirmEntry* FirmAt(FirmTable& table, int32_t index);
  std::vector<std::unique_ptr<FirmEntry>> entries_;
};

/// Entry number `index` (1..count()); null outside that range.
FirmEntry* FirmAt(FirmTable& table, int32_t index);
/// Frees every entry of the table.
inline void FreeFirmTable(FirmTable& table) { table.Clear(); }

}  // namespace qz

#endif  // QZ_FIRMS_FIRM_TABLE_H_
