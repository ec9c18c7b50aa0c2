#ifndef QZ_PLATFORM_KEY_SCRIPT_H_
#define QZ_PLATFORM_KEY_SCRIPT_H_

#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/console.h"

namespace qz {

/// A key script that cannot be read; the message names the bad word.
class KeyScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Reads a key script: words separated by blanks, each a key name of
/// `NamedKey` ("Tab", "Shift+Tab", "Ctrl+W", "Alt+A", "F5", "PgDn"), a
/// quoted UTF-8 text typed character by character ("abc", "Łódź"; a backslash escapes
/// the next character), or a mouse press `click(col,row)` (1-based, left button),
/// `rclick(col,row)` (right) or `bclick(col,row)` (both).
std::vector<InputRecord> ParseKeyScript(std::string_view script);

}  // namespace qz

#endif  // QZ_PLATFORM_KEY_SCRIPT_H_
