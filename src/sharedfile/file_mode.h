#ifndef QZ_SHAREDFILE_FILE_MODE_H_
#define QZ_SHAREDFILE_FILE_MODE_H_

#include <cstdint>
#include <memory>

#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

struct Context;

/// Remembers the current process-wide open mode (one slot, not a stack) and
/// makes `mode` current.
void SetFileMode(Context& ctx, uint8_t mode);
/// Makes the mode remembered by the last `SetFileMode` current again.
void RestoreFileMode(Context& ctx);
/// Opens the existing file `path` in the current open mode; a DOS error number.
int OpenInFileMode(Context& ctx, const Text& path, std::unique_ptr<File>* out);

/// Locks byte 0 (length 1) of an open file; true on success.
bool LockFirstByte(File& file);
/// Releases the lock of `LockFirstByte`; true on success.
bool UnlockFirstByte(File& file);
/// True when a search for ordinary files (read-only, hidden, system and
/// archive allowed; directories not matched) finds `path`.
bool NameExists(FileSystem& fs, const Text& path);

}  // namespace qz

#endif  // QZ_SHAREDFILE_FILE_MODE_H_
