#ifndef QZ_PLATFORM_FILE_SYSTEM_H_
#define QZ_PLATFORM_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "text/text.h"

namespace qz {

/// The directory separator of this platform. The program builds every path
/// as a directory ending with it followed by a name.
inline constexpr char kPathSep = '/';

/// DOS error numbers, as the program reports and tests them. Every file
/// operation returns one (0 for success).
namespace dos {
inline constexpr int kOk = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kInvalidHandle = 6;
inline constexpr int kInvalidEnvironment = 10;
inline constexpr int kInvalidFormat = 11;
inline constexpr int kNoMoreFiles = 18;
inline constexpr int kWriteProtected = 19;
inline constexpr int kWriteFault = 29;
inline constexpr int kReadFault = 30;
inline constexpr int kGeneralFailure = 31;
inline constexpr int kSharingViolation = 32;
inline constexpr int kLockViolation = 33;
inline constexpr int kHandleEof = 38;
inline constexpr int kFileExists = 80;
inline constexpr int kDiskFull = 112;
inline constexpr int kInvalidName = 123;
inline constexpr int kDirNotEmpty = 145;
}  // namespace dos

/// DOS file attributes, as directory searches report and filter them.
namespace attr {
inline constexpr uint8_t kReadOnly = 0x01;
inline constexpr uint8_t kHidden = 0x02;
inline constexpr uint8_t kSystem = 0x04;
inline constexpr uint8_t kVolumeId = 0x08;
inline constexpr uint8_t kDirectory = 0x10;
inline constexpr uint8_t kArchive = 0x20;
inline constexpr uint8_t kAnyFile = 0x3F;
/// Ordinary files: read-only, hidden, system and archive allowed.
inline constexpr uint8_t kOrdinary = kReadOnly | kHidden | kSystem | kArchive;
}  // namespace attr

/// Access part of an open mode.
enum class Access : uint8_t { kRead = 0, kWrite = 1, kReadWrite = 2 };

/// Sharing part of an open mode: what other openers (other instances of this
/// program) may do while the file is open.
enum class Sharing : uint8_t {
  kCompatibility = 0x00,
  kExclusive = 0x10,
  kDenyWrite = 0x20,
  kDenyRead = 0x30,
  kDenyNone = 0x40,
};

/// An open file: a byte stream with a position. Every call returns a DOS
/// error number; after `Close` every call returns `dos::kInvalidHandle`.
class File {
 public:
  virtual ~File() = default;
  /// Reads up to `n` bytes at the position; `*got` is the count read (0 at
  /// the end of the file).
  virtual int Read(void* buf, std::size_t n, std::size_t* got) = 0;
  /// Writes all `n` bytes at the position or fails (a full disk is
  /// `dos::kDiskFull`).
  virtual int Write(const void* buf, std::size_t n) = 0;
  virtual int Seek(uint64_t pos) = 0;
  virtual int Tell(uint64_t* pos) = 0;
  virtual int Size(uint64_t* size) = 0;
  /// Cuts the file at the current position.
  virtual int Truncate() = 0;
  /// Forces written data to the disk.
  virtual int Flush() = 0;
  /// Byte-range lock of [off, off + len), failing at once with
  /// `dos::kLockViolation` when another opener holds an overlapping lock.
  virtual int Lock(uint32_t off, uint32_t len) = 0;
  virtual int Unlock(uint32_t off, uint32_t len) = 0;
  virtual int Close() = 0;
};

/// One entry found by a directory search.
struct DirEntry {
  Text name;          ///< the name as stored (CP852), without directory
  uint32_t size = 0;  ///< bytes (0 for a directory; capped at 0xFFFFFFFF)
  uint8_t attributes = 0;
};

/// The file system as the program sees it. Names are CP852 texts; existing
/// files and directories are found without regard to letter case (ASCII and
/// Polish letters), at every level of the path. A missing file is
/// `dos::kFileNotFound`, a missing directory on the way `dos::kPathNotFound`,
/// and a new name with a wildcard or a control character
/// `dos::kInvalidName`. Opening a directory as a file is `dos::kAccessDenied`.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// Opens an existing file.
  virtual int Open(const Text& path, Access access, Sharing sharing,
                   std::unique_ptr<File>* out) = 0;
  /// Creates a file, or empties an existing one (whatever the case of its
  /// name), open for reading and writing.
  virtual int Create(const Text& path, std::unique_ptr<File>* out) = 0;
  /// Searches a directory: `pattern` is a directory path followed by a name
  /// pattern with `*` and `?` ("*.*" matches every name), matched without
  /// regard to case. Ordinary files are always eligible; hidden, system and
  /// directory entries only when their bit is in `attributes`. Fills `out`
  /// in a stable order and returns 0, or `dos::kNoMoreFiles` (18) when
  /// nothing matched, `dos::kPathNotFound` when the directory is missing.
  virtual int Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) = 0;
  /// Renames a file or directory. Never replaces another file: a `to` that
  /// exists (in any case) fails with `dos::kFileExists`, except when it is
  /// the same file, which then takes the letter case of `to`.
  virtual int Rename(const Text& from, const Text& to) = 0;
  /// Deletes a file. A directory or a read-only file is refused with
  /// `dos::kAccessDenied`.
  virtual int Remove(const Text& path) = 0;
  /// Creates a directory; `dos::kFileExists` when the name exists in any
  /// case, `dos::kPathNotFound` when its parent is missing.
  virtual int MakeDir(const Text& path) = 0;
  /// The current directory, without a trailing separator (except for the
  /// root).
  virtual int CurrentDir(Text* out) = 0;
};

}  // namespace qz

#endif  // QZ_PLATFORM_FILE_SYSTEM_H_
