#ifndef QZ_TRANSFER_STAFF_TEST_HELPERS_H_
#define QZ_TRANSFER_STAFF_TEST_HELPERS_H_

// Helpers shared by the tests of the staff, ledger and payroll converters.

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_env.h"
#include "text/cp852.h"
#include "text/record_fields.h"

namespace qz::testing_records {

using Record = std::vector<uint8_t>;

/// A record of `size` bytes where every byte has a distinctive nonzero value
/// (it differs from its neighbours and from 0), so any byte carried to a
/// wrong place or dropped shows.
inline Record Distinct(std::size_t size, uint8_t salt = 0) {
  Record r(size);
  for (std::size_t i = 0; i < size; ++i) r[i] = static_cast<uint8_t>((i * 7 + i / 251 + salt) % 255 + 1);
  return r;
}

/// Stores `utf8` (converted to CP852) in the text field (max) at `off`,
/// leaving the bytes after the text as they are.
inline void SetText(Record& r, std::size_t off, std::size_t max, const std::string& utf8) {
  PutText(r, off, max, Utf8ToCp852(utf8), TextTail::Keep);
}

/// Fills the text field (max) at `off` to its full length with distinctive
/// characters, so copying the field and copying its bytes are the same.
inline void SetFullText(Record& r, std::size_t off, std::size_t max) {
  r[off] = static_cast<uint8_t>(max);
  for (std::size_t i = 1; i <= max; ++i) r[off + i] = static_cast<uint8_t>('A' + (off + i) % 26);
}

/// The text of the field (max) at `off` as UTF-8.
inline std::string TextAt(const Record& r, std::size_t off, std::size_t max) {
  return Cp852ToUtf8(GetText(r, off, max));
}

/// Every row of the screen as UTF-8, one "\n"-ended line each.
inline std::string LogText(TestEnv& env) {
  std::string all;
  for (int row = 1; row <= 25; ++row) all += env.Row(row) + "\n";
  return all;
}

/// The offsets at which `a` and `b` (same size) differ.
inline std::vector<std::size_t> Differences(const Record& a, const Record& b) {
  std::vector<std::size_t> d;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) d.push_back(i);
  return d;
}

}  // namespace qz::testing_records

#endif  // QZ_TRANSFER_STAFF_TEST_HELPERS_H_
