#ifndef QZ_PLATFORM_NAME_MATCH_H_
#define QZ_PLATFORM_NAME_MATCH_H_

#include <cstdint>

#include "text/text.h"

namespace qz {

/// The upper-case form of a CP852 byte as file names compare it: ASCII
/// letters and every Latin-2 letter of the code page that has a capital
/// (ą/Ą, ł/Ł, ó/Ó, ż/Ż, ...). Other bytes are returned unchanged.
uint8_t FoldNameChar(uint8_t c);

/// True when two CP852 names are equal without regard to letter case.
bool SameNameNoCase(TextView a, TextView b);

/// True when `name` matches the DOS name pattern `pattern` without regard to
/// case: `*` stands for any run of characters, `?` for exactly one. As on
/// DOS, a pattern ending in ".*" also matches names without a dot, so "*.*"
/// matches every name.
bool MatchNamePattern(TextView pattern, TextView name);

}  // namespace qz

#endif  // QZ_PLATFORM_NAME_MATCH_H_
