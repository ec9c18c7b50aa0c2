#ifndef QZ_TRANSFER_DRA_H_
#define QZ_TRANSFER_DRA_H_

#include "text/record_fields.h"

namespace qz {

struct Context;

/// Size of the declaration block of a DRA file and of each attachment block.
inline constexpr std::size_t kDraDeclarationSize = 896;
inline constexpr std::size_t kDraAttachmentSize = 448;

/// Sets the balance fields of an 896-byte DRA declaration block: the balance
/// t1 - t2 + t3 + t4 + t5 at 688, its magnitude when negative at 526 and the
/// balance when not negative at 534.
void SetDraBalance(Bytes declaration);

/// Converts every "2019D4??.*" file of the firm into "2019D5??.*" of the new
/// installation: the declaration block with its balance and every whole
/// attachment block after it. Each file's log entry starts on a new row.
void ConvertDraAttachments(Context& ctx);

}  // namespace qz

#endif  // QZ_TRANSFER_DRA_H_
