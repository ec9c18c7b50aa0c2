#ifndef QZ_TEXT_TEXT_H_
#define QZ_TEXT_TEXT_H_

#include <string>
#include <string_view>

namespace qz {

/// A text of the program: a byte string in code page CP852. Every message,
/// file name and record text is kept in this form; conversion to Unicode
/// happens only where the program meets the terminal or the OS file names.
using Text = std::string;
using TextView = std::string_view;

}  // namespace qz

#endif  // QZ_TEXT_TEXT_H_
