#ifndef QZ_TRANSFER_STAFF_QUESTION_H_
#define QZ_TRANSFER_STAFF_QUESTION_H_

#include <string_view>

namespace qz {

struct Context;

/// Waits in the progress log for one of the answer letters `answers`
/// (upper-case ASCII), accepted in either case; other keys are ignored.
/// Returns the upper-case letter.
char AskStaffKey(Context& ctx, std::string_view answers);

}  // namespace qz

#endif  // QZ_TRANSFER_STAFF_QUESTION_H_
