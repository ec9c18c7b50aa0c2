#ifndef QZ_TRANSFER_STAFF_TEXT_PASS_H_
#define QZ_TRANSFER_STAFF_TEXT_PASS_H_

#include <cstddef>
#include <initializer_list>

#include "text/record_fields.h"

namespace qz {

/// A text field `text (max)` at `off` of a record.
struct TextField {
  std::size_t off;
  std::size_t max;
};

/// The text pass in place of the field `text (max)` at `off`: the text goes
/// through `PassText` and is stored again with at most `max` characters, so
/// an over-long stored length is cut; the bytes after the text are left alone.
void PassTextField(Bytes rec, std::size_t off, std::size_t max);

/// `PassTextField` of each field of `fields`, in order, at `base` + its offset.
void PassTextFields(Bytes rec, std::initializer_list<TextField> fields, std::size_t base = 0);

/// `CopyNameCode` of the 71-byte name code block at `off` (same place in
/// both records).
void CopyNameCodeBlock(Bytes out, ConstBytes in, std::size_t off);

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_TEXT_PASS_H_
