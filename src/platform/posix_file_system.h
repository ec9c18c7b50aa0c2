#ifndef QZ_PLATFORM_POSIX_FILE_SYSTEM_H_
#define QZ_PLATFORM_POSIX_FILE_SYSTEM_H_

#include "platform/file_system.h"

namespace qz {

/// The real file system on POSIX: CP852 names are mapped to UTF-8, existing
/// names are resolved without regard to case, errno values become DOS error
/// numbers, and sharing modes and locks are open-file-description locks so
/// that instances of the program exclude each other.
class PosixFileSystem : public FileSystem {
 public:
  int Open(const Text& path, Access access, Sharing sharing, std::unique_ptr<File>* out) override;
  int Create(const Text& path, std::unique_ptr<File>* out) override;
  int Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) override;
  int Rename(const Text& from, const Text& to) override;
  int Remove(const Text& path) override;
  int MakeDir(const Text& path) override;
  int CurrentDir(Text* out) override;
};

}  // namespace qz

#endif  // QZ_PLATFORM_POSIX_FILE_SYSTEM_H_
