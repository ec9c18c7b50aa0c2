#ifndef QZ_COPY_FILE_COPY_H_
#define QZ_COPY_FILE_COPY_H_

#include <functional>

#include "text/text.h"

namespace qz {

struct Context;

/// A routine that sees each line (at most 255 characters) of a text copy; it
/// may change the line and returns whether the line is kept.
using LineFilter = std::function<bool(Text& line)>;

/// Asks in the progress log whether an existing `target` is kept; true =
/// keep it (do not copy). Answers "A"/"N" stay in force for the whole run.
bool AskOverwrite(Context& ctx, const Text& target);
/// Copies a text file line by line (lines cut to 255 characters, CR LF line
/// ends written), through `filter` when one is given. A missing or empty
/// source is passed over in silence; failures are logged.
void CopyTextFile(Context& ctx, const Text& src, const Text& dst, const LineFilter& filter);
/// `CopyTextFile` without a filter.
void CopyWholeText(Context& ctx, const Text& src, const Text& dst);
/// Copies a file in blocks of 2048 bytes (`convert`: through the block
/// conversion). True when there was nothing to copy, the target was kept,
/// or the whole source reached a target that closed without error; false
/// after a logged failure.
bool CopyBinaryFile(Context& ctx, const Text& src, const Text& dst, bool convert);
/// `CopyBinaryFile` with the block conversion, result dropped.
void CopyWholeBinary(Context& ctx, const Text& src, const Text& dst);

}  // namespace qz

#endif  // QZ_COPY_FILE_COPY_H_
