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
/// Copies a text file line by line, through `filter` when one is given.
void CopyTextFile(Context& ctx, const Text& src, const Text& dst, const LineFilter& filter);
void CopyWholeText(Context& ctx, const Text& src, const Text& dst);
/// Copies a file in blocks of 2048 bytes.
bool CopyBinaryFile(Context& ctx, const Text& src, const Text& dst, bool convert);
void CopyWholeBinary(Context& ctx, const Text& src, const Text& dst);

}  // namespace qz

#endif  // QZ_COPY_FILE_COPY_H_
