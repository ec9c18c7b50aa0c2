#ifndef QZ_APP_FILE_TESTS_H_
#define QZ_APP_FILE_TESTS_H_

#include <cstdint>

#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

/// Size of the ordinary file `name` (read-only, hidden, system and archive
/// files count); 0 when it is missing, empty, or a directory.
uint32_t FileSizeOf(FileSystem& fs, const Text& name);

/// True when `name` (without a trailing separator) is an existing
/// directory; a name ending with the separator gives false.
bool DirExists(FileSystem& fs, const Text& name);

}  // namespace qz

#endif  // QZ_APP_FILE_TESTS_H_
