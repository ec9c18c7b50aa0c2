#ifndef QZ_PLATFORM_FAULTY_FILE_SYSTEM_H_
#define QZ_PLATFORM_FAULTY_FILE_SYSTEM_H_

#include <map>

#include "platform/file_system.h"

namespace qz {

/// Operations the fault-injecting file system can fail.
enum class FsOp { kOpen, kCreate, kRead, kWrite, kSeek, kSize, kTruncate, kFlush, kClose,
                  kLock, kUnlock, kFind, kRename, kRemove, kMakeDir };

/// A file system for tests: forwards to another one (usually the real one
/// on a temporary directory) and fails the N-th call of a chosen operation
/// (counted from when the failure is armed, across all files) with a chosen
/// DOS error number. A failed call does nothing else.
class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner);
  ~FaultyFileSystem() override;

  /// The `nth` (1-based) next call of `op` fails with `error`.
  void FailNth(FsOp op, int nth, int error);
  /// Every call of `op` from the `nth` next on fails with `error`.
  void FailFrom(FsOp op, int nth, int error);
  void Clear();
  /// Calls of `op` seen so far.
  int calls(FsOp op) const;

  int Open(const Text& path, Access access, Sharing sharing, std::unique_ptr<File>* out) override;
  int Create(const Text& path, std::unique_ptr<File>* out) override;
  int Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) override;
  int Rename(const Text& from, const Text& to) override;
  int Remove(const Text& path) override;
  int MakeDir(const Text& path) override;
  int CurrentDir(Text* out) override;

  /// Decides one call of `op`: 0 to forward it, or the error to return.
  int Check(FsOp op);

 private:
  struct Rule {
    int nth = 0;
    int error = 0;
    bool sticky = false;
    int seen = 0;
  };
  FileSystem& inner_;
  std::map<FsOp, Rule> rules_;
  std::map<FsOp, int> calls_;
};

}  // namespace qz

#endif  // QZ_PLATFORM_FAULTY_FILE_SYSTEM_H_
