#ifndef QZ_SHAREDFILE_BOX_TEXT_H_
#define QZ_SHAREDFILE_BOX_TEXT_H_

#include <initializer_list>

#include "text/text.h"

namespace qz {

/// Inner width of the boxes of `MessageBoxAt` and `ErrorBox` (40 wide).
inline constexpr int kBoxInnerWidth = 38;

/// `line` preceded by blanks so that it stands centred in `width` columns.
Text Centred(TextView line, int width = kBoxInnerWidth);
/// Lines joined by carriage returns, the line break of message boxes.
Text BoxText(std::initializer_list<Text> lines);

}  // namespace qz

#endif  // QZ_SHAREDFILE_BOX_TEXT_H_
