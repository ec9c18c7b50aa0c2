#ifndef QZ_APP_TEXT_PASS_H_
#define QZ_APP_TEXT_PASS_H_

#include <cstddef>

#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

/// The conversion every record text goes through on its way into the new
/// year. The data keeps the previous year's Polish character standard, so
/// the text comes back unchanged.
Text PassText(TextView text);

/// Copies the name (text of at most 65 characters at offset 0, through
/// `PassText`) and the code (text of at most 4 characters at offset 66) of
/// `source` into `target`; a stored length above the maximum is cut, and
/// the other bytes of `target` are left as they are.
void CopyNameCode(Bytes target, ConstBytes source);

/// The conversion of a raw data block between character standards: with
/// the previous year's standard kept, the block stays as it is.
void NoBlockConversion(std::size_t count, Bytes buffer);

}  // namespace qz

#endif  // QZ_APP_TEXT_PASS_H_
