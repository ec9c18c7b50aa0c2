#ifndef QZ_TRANSFER_FIRM_FILES_H_
#define QZ_TRANSFER_FIRM_FILES_H_

#include <cstdint>

#include "text/text.h"

namespace qz {

struct Context;

/// S + separator + `name`: a file of the firm in the old installation.
Text SourceFile(const Context& ctx, TextView name);
/// T + separator + `name`: a file of the firm in the new installation.
Text TargetFile(const Context& ctx, TextView name);

/// True when a name read from a data file may be used as a file name of the
/// firm: not empty, not "." or "..", no path separator and no drive colon,
/// so that it can never lead outside the firm's directory.
bool IsPlainFileName(TextView name);
/// Logs that `name` was refused as a file name.
void LogBadFileName(Context& ctx, TextView name);

/// Copies one named file of the firm: "a" copies S/a to T/a, "a>b" copies
/// S/a to T/b (split at the first ">"). A name that is not a plain file name
/// is refused with a log line.
void CopyNamedFile(Context& ctx, const Text& entry, bool convert);

/// Copies every file of S matching `pattern` to T under the same name, in
/// the order of the directory search.
void CopyMatchingFiles(Context& ctx, const Text& pattern, bool convert);

/// With `HideConverted` on, renames the old installation's file `name` (a
/// full path) to `name` + "~" and logs the outcome; an existing "~" file is
/// never replaced.
void HideConvertedFile(Context& ctx, const Text& name);

}  // namespace qz

#endif  // QZ_TRANSFER_FIRM_FILES_H_
