#ifndef QZ_SHAREDFILE_TEMP_DIR_H_
#define QZ_SHAREDFILE_TEMP_DIR_H_

#include "text/text.h"

namespace qz {

struct Context;

/// Finds the directory for temporary files and keeps it in
/// `ctx.shared.temp_dir`: the first of the environment variables "qzTEMP",
/// "RODIVU", "TEMP", "TMP" whose value names an existing directory (cut to
/// 116 characters), else the current directory. Called once at start.
void FindTempDir(Context& ctx);
/// A file name not yet in use: `dir` (the temporary directory when empty) +
/// "~qz" + a number + `ext`; the number starts at a random value below 32767
/// and goes up while the name is taken by a file or directory.
Text MakeTempName(Context& ctx, const Text& dir, const Text& ext);

}  // namespace qz

#endif  // QZ_SHAREDFILE_TEMP_DIR_H_
