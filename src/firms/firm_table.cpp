#include "firms/firm_table.h"

#include <algorithm>

namespace qz {

bool FirmTable::Add(ConstBytes record) {
  if (full()) return false;
  auto entry = std::make_unique<FirmEntry>();
  std::copy_n(record.begin(), std::min(record.size(), entry->record.size()), entry->record.begin());
  entries_.push_back(std::move(entry));
  return true;
}

FirmEntry* FirmAt(FirmTable& table, int32_t index) {
  if (index < 1 || index > table.count()) return nullptr;
  return table.entries_[static_cast<std::size_t>(index - 1)].get();
}

}  // namespace qz
