#ifndef QZ_COPY_COPY_SUPPORT_H_
#define QZ_COPY_COPY_SUPPORT_H_

#include "text/text.h"

namespace qz {

struct Context;

/// Small routines the copiers share; not for use outside the copy engine.
namespace copy_detail {

/// Logs `message` in the error colour, then back to colour 7; when `wait`,
/// waits for a key so that the user sees the line.
void LogFailure(Context& ctx, const Text& message, bool wait);

}  // namespace copy_detail
}  // namespace qz

#endif  // QZ_COPY_COPY_SUPPORT_H_
