#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/name_match.h"
#include "text/cp852.h"

// Sharing modes between instances of the program.
//
// Linux has no share modes, so every open registers what it does and what it
// denies as open-file-description (OFD) read locks on four sentinel bytes of
// the file, far above any range the program's own 32-bit byte-range locks can
// reach (those end below 2^33):
//
//   kShareBase + 0  the opener reads          kShareBase + 2  it denies reading
//   kShareBase + 1  the opener writes         kShareBase + 3  it denies writing
//
// Read locks never conflict with each other, so registering always succeeds.
// After registering, the open tests (F_OFD_GETLK with a write lock, which
// reports locks of other open file descriptions only) the bytes that clash
// with it: reading clashes with "denies reading", writing with "denies
// writing", denying reading with "reads", denying writing with "writes". A
// clash fails the open with error 32 and closing the descriptor drops its
// registration. Registering before testing makes two racing opens see each
// other: at worst both fail with 32 and retry, never both succeed.
//
// Exclusive denies reading and writing, DenyWrite denies writing, DenyRead
// denies reading; DenyNone and Compatibility deny nothing. That is the DOS
// share table for openers of this program. Other programs that do not use
// the scheme are not excluded.
//
// Registering needs a descriptor open for reading and a byte-range lock
// (always a write lock, as DOS locks exclude every other opener) needs one
// open for writing, so a file opened for one direction only gets a second
// descriptor open for both, used only for its locks. When that cannot be had
// (no permission), a write-only open is not registered (it still honours
// the others' denials) and a read-only open's locks are read locks, which
// still exclude every write lock.

namespace qz {

namespace {

constexpr off_t kShareBase = off_t{1} << 33;
constexpr off_t kOpensRead = kShareBase + 0;
constexpr off_t kOpensWrite = kShareBase + 1;
constexpr off_t kDeniesRead = kShareBase + 2;
constexpr off_t kDeniesWrite = kShareBase + 3;

int DosFromErrno(int err, bool writing) {
  switch (err) {
    case 0: return dos::kOk;
    case ENOENT: return dos::kFileNotFound;
    case ENOTDIR:
    case ELOOP: return dos::kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return dos::kAccessDenied;
    case EROFS: return dos::kWriteProtected;
    case EEXIST: return dos::kFileExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return dos::kDiskFull;
    case EMFILE:
    case ENFILE: return dos::kTooManyOpenFiles;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ: return dos::kInvalidName;
    case ENOTEMPTY: return dos::kDirNotEmpty;
    case EIO: return writing ? dos::kWriteFault : dos::kReadFault;
    case EBADF: return dos::kInvalidHandle;
    case EAGAIN: return dos::kLockViolation;
    case EBUSY:
    case ETXTBSY: return dos::kSharingViolation;
    default: return dos::kGeneralFailure;
  }
}

bool IsDir(const std::string& native) {
  struct stat st;
  return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The directory part of a native path ("." for a bare name).
std::string NativeParent(const std::string& native) {
  std::string p = native;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  auto slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

// errno of a call on `native`: a missing name is "file not found" when its
// directory exists and "path not found" when it does not.
int DosFromErrnoAt(int err, const std::string& native, bool writing) {
  if (err == ENOENT && !IsDir(NativeParent(native))) return dos::kPathNotFound;
  return DosFromErrno(err, writing);
}

int OpenRetrying(const char* native, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(native, flags | O_CLOEXEC | O_NOCTTY, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

class DirHandle {
 public:
  explicit DirHandle(const std::string& native) : dir_(::opendir(native.c_str())) {}
  ~DirHandle() {
    if (dir_ != nullptr) ::closedir(dir_);
  }
  DirHandle(const DirHandle&) = delete;
  DirHandle& operator=(const DirHandle&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

// `native` with its last component replaced by `name`.
std::string ReplaceLast(const std::string& native, const std::string& name) {
  auto slash = native.rfind('/');
  return slash == std::string::npos ? name : native.substr(0, slash + 1) + name;
}

std::string JoinNative(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

// Finds `name` (CP852) in the directory `dir` (native; empty for the current
// one): the name spelled exactly as given wins, else the first name in
// byte order that differs only by case. False when there is none.
bool FindEntry(const std::string& dir, TextView name, std::string* found) {
  std::string exact = Cp852ToUtf8(name);
  struct stat st;
  if (::lstat(JoinNative(dir, exact).c_str(), &st) == 0) {
    *found = exact;
    return true;
  }
  DirHandle d(dir.empty() ? std::string(".") : dir);
  if (d.get() == nullptr) return false;
  bool any = false;
  while (dirent* e = ::readdir(d.get())) {
    std::string entry = e->d_name;
    if (entry == "." || entry == "..") continue;
    if (!SameNameNoCase(Utf8ToCp852(entry), name)) continue;
    if (!any || entry < *found) *found = entry;
    any = true;
  }
  return any;
}

// True when `name` may be a file name: no wildcard and no control byte.
// Only names that are not on disk are checked, so that a name the disk
// holds (an unmappable character shows as "?") can still be reached.
bool ValidName(TextView name) {
  for (char ch : name) {
    auto c = static_cast<uint8_t>(ch);
    if (c < 0x20 || c == 0x7F || ch == '*' || ch == '?') return false;
  }
  return true;
}

// A program path resolved to the name on disk.
struct Resolved {
  std::string native;  ///< the path on disk (UTF-8)
  bool exists = false;
  /// Set when the last component does not exist: its directory, and the
  /// component as given.
  std::string parent;
  std::string last;
};

enum class Want { kExisting, kMaybeNew };

// Maps every component of `path` onto the name on disk, ignoring case.
// kExisting: everything must exist (2 when the last component is missing, 3
// when a directory is). kMaybeNew: the last component may be missing; it is
// then taken as given.
int Resolve(const Text& path, Want want, Resolved* out) {
  *out = Resolved();
  if (path.empty()) return dos::kFileNotFound;
  std::string whole = Cp852ToUtf8(path);
  struct stat st;
  if (::stat(whole.c_str(), &st) == 0) {
    out->native = whole;
    out->exists = true;
    return dos::kOk;
  }
  // A new file in a directory spelled as on disk (every file a run
  // creates): only the last component needs looking up.
  std::size_t last_sep = path.rfind(kPathSep);
  if (last_sep != Text::npos && last_sep > 0 && last_sep + 1 < path.size()) {
    std::string parent = Cp852ToUtf8(TextView(path).substr(0, last_sep + 1));
    TextView name = TextView(path).substr(last_sep + 1);
    if (name != "." && name != ".." && IsDir(parent)) {
      std::string found;
      if (FindEntry(parent, name, &found)) {
        out->native = JoinNative(parent, found);
        out->exists = true;
        return dos::kOk;
      }
      if (!ValidName(name)) return dos::kInvalidName;
      if (want == Want::kExisting) return dos::kFileNotFound;
      out->parent = parent;
      out->last = Cp852ToUtf8(name);
      out->native = JoinNative(parent, out->last);
      return dos::kOk;
    }
  }
  std::vector<TextView> parts;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t j = path.find(kPathSep, i);
    if (j == Text::npos) j = path.size();
    if (j > i) parts.push_back(TextView(path).substr(i, j - i));
    i = j + 1;
  }
  std::string cur = path[0] == kPathSep ? "/" : "";
  bool trailing_sep = path.back() == kPathSep;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    bool last = k + 1 == parts.size();
    std::string found;
    if (parts[k] == "." || parts[k] == "..") {
      found = std::string(parts[k]);
    } else if (!FindEntry(cur, parts[k], &found)) {
      if (!ValidName(parts[k])) return dos::kInvalidName;
      if (!last) return dos::kPathNotFound;
      if (want == Want::kExisting) return dos::kFileNotFound;
      out->parent = cur;
      out->last = Cp852ToUtf8(parts[k]);
      out->native = JoinNative(cur, out->last);
      if (trailing_sep) out->native += '/';
      return dos::kOk;
    }
    std::string next = JoinNative(cur, found);
    if (!last && !IsDir(next)) return dos::kPathNotFound;
    cur = next;
  }
  if (parts.empty()) return dos::kFileNotFound;
  if (trailing_sep) cur += '/';
  out->native = cur;
  out->exists = true;
  return dos::kOk;
}

bool ReadsData(Access a) { return a != Access::kWrite; }
bool WritesData(Access a) { return a != Access::kRead; }

int SetLock(int fd, short type, off_t start, off_t len) {
  struct flock fl{};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = start;
  fl.l_len = len;
  int r;
  do {
    r = ::fcntl(fd, F_OFD_SETLK, &fl);
  } while (r < 0 && errno == EINTR);
  return r < 0 ? errno : 0;
}

// True when an open file description other than `fd`'s holds a lock on the
// byte at `at`.
bool HeldElsewhere(int fd, off_t at) {
  struct flock fl{};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = at;
  fl.l_len = 1;
  if (::fcntl(fd, F_OFD_GETLK, &fl) < 0) return false;
  return fl.l_type != F_UNLCK;
}

/// An open file on POSIX. See the comment at the top for its locks.
class PosixFile : public File {
 public:
  PosixFile(int fd, Access access, std::string native)
      : fd_(fd), access_(access), native_(std::move(native)) {}
  ~PosixFile() override { Close(); }

  /// Registers this open's sharing mode and checks it against the other
  /// openers; `dos::kSharingViolation` on a clash.
  int Share(Sharing sharing) {
    bool deny_read = sharing == Sharing::kExclusive || sharing == Sharing::kDenyRead;
    bool deny_write = sharing == Sharing::kExclusive || sharing == Sharing::kDenyWrite;
    if (access_ == Access::kWrite) OpenLockFd();
    int fd = LockFd();
    bool can_register = access_ != Access::kWrite || lock_fd_ >= 0;
    if (can_register) {
      const std::pair<bool, off_t> marks[] = {{ReadsData(access_), kOpensRead},
                                              {WritesData(access_), kOpensWrite},
                                              {deny_read, kDeniesRead},
                                              {deny_write, kDeniesWrite}};
      for (auto [on, at] : marks) {
        if (!on) continue;
        int err = SetLock(fd, F_RDLCK, at, 1);
        if (err != 0) return err == EAGAIN || err == EACCES ? dos::kSharingViolation
                                                              : DosFromErrno(err, false);
      }
    }
    if ((ReadsData(access_) && HeldElsewhere(fd, kDeniesRead)) ||
        (WritesData(access_) && HeldElsewhere(fd, kDeniesWrite)) ||
        (deny_read && HeldElsewhere(fd, kOpensRead)) ||
        (deny_write && HeldElsewhere(fd, kOpensWrite))) {
      return dos::kSharingViolation;
    }
    return dos::kOk;
  }

  int Read(void* buf, std::size_t n, std::size_t* got) override {
    *got = 0;
    if (fd_ < 0) return dos::kInvalidHandle;
    char* p = static_cast<char*>(buf);
    while (*got < n) {
      ssize_t r = ::read(fd_, p + *got, n - *got);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return IoError(errno, false);
      if (r == 0) break;
      *got += static_cast<std::size_t>(r);
    }
    return dos::kOk;
  }

  int Write(const void* buf, std::size_t n) override {
    if (fd_ < 0) return dos::kInvalidHandle;
    const char* p = static_cast<const char*>(buf);
    std::size_t done = 0;
    while (done < n) {
      ssize_t r = ::write(fd_, p + done, n - done);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return IoError(errno, true);
      if (r == 0) return dos::kDiskFull;
      done += static_cast<std::size_t>(r);
    }
    return dos::kOk;
  }

  int Seek(uint64_t pos) override {
    if (fd_ < 0) return dos::kInvalidHandle;
    if (pos > static_cast<uint64_t>(LLONG_MAX)) return dos::kInvalidName;
    if (::lseek(fd_, static_cast<off_t>(pos), SEEK_SET) < 0) return IoError(errno, false);
    return dos::kOk;
  }

  int Tell(uint64_t* pos) override {
    *pos = 0;
    if (fd_ < 0) return dos::kInvalidHandle;
    off_t r = ::lseek(fd_, 0, SEEK_CUR);
    if (r < 0) return IoError(errno, false);
    *pos = static_cast<uint64_t>(r);
    return dos::kOk;
  }

  int Size(uint64_t* size) override {
    *size = 0;
    if (fd_ < 0) return dos::kInvalidHandle;
    struct stat st;
    if (::fstat(fd_, &st) < 0) return IoError(errno, false);
    *size = static_cast<uint64_t>(st.st_size);
    return dos::kOk;
  }

  int Truncate() override {
    if (fd_ < 0) return dos::kInvalidHandle;
    if (access_ == Access::kRead) return dos::kAccessDenied;
    off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    if (pos < 0) return IoError(errno, true);
    int r;
    do {
      r = ::ftruncate(fd_, pos);
    } while (r < 0 && errno == EINTR);
    return r < 0 ? IoError(errno, true) : dos::kOk;
  }

  int Flush() override {
    if (fd_ < 0) return dos::kInvalidHandle;
    // Devices and pipes cannot be synced; there is nothing to force there.
    if (::fsync(fd_) < 0 && errno != EINVAL && errno != EROFS) return IoError(errno, true);
    return dos::kOk;
  }

  int Lock(uint32_t off, uint32_t len) override {
    if (fd_ < 0) return dos::kInvalidHandle;
    if (len == 0) return dos::kOk;
    uint64_t end = uint64_t{off} + len;
    // DOS locks of one handle do not merge: an overlap with one's own lock
    // fails as it would against anyone else's.
    for (auto [o, l] : locks_) {
      if (off < uint64_t{o} + l && o < end) return dos::kLockViolation;
    }
    if (access_ == Access::kRead) OpenLockFd();
    bool can_write_lock = access_ != Access::kRead || lock_fd_ >= 0;
    int err = SetLock(LockFd(), can_write_lock ? F_WRLCK : F_RDLCK, off, len);
    if (err == EAGAIN || err == EACCES) return dos::kLockViolation;
    if (err != 0) return DosFromErrno(err, false);
    locks_.emplace_back(off, len);
    return dos::kOk;
  }

  int Unlock(uint32_t off, uint32_t len) override {
    if (fd_ < 0) return dos::kInvalidHandle;
    if (len == 0) return dos::kOk;
    // Only a range locked before, exactly as locked, can be unlocked.
    auto it = std::find(locks_.begin(), locks_.end(), std::pair<uint32_t, uint32_t>(off, len));
    if (it == locks_.end()) return dos::kLockViolation;
    int err = SetLock(LockFd(), F_UNLCK, off, len);
    if (err != 0) return DosFromErrno(err, false);
    locks_.erase(it);
    return dos::kOk;
  }

  int Close() override {
    if (fd_ < 0) return dos::kInvalidHandle;
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
    // The descriptor is gone after close() even when it reports an error
    // (Linux), so it is never closed twice.
    int r = ::close(fd_);
    int err = r < 0 ? errno : 0;
    fd_ = -1;
    locks_.clear();
    if (err == EINTR) return dos::kOk;
    return err == 0 ? dos::kOk : IoError(err, true);
  }

 private:
  int LockFd() const { return lock_fd_ >= 0 ? lock_fd_ : fd_; }

  // A second descriptor of the same file, open for reading and writing, for
  // the locks of a one-direction open. Left at -1 when not possible.
  void OpenLockFd() {
    if (lock_fd_ >= 0) return;
    int fd = OpenRetrying(native_.c_str(), O_RDWR);
    if (fd < 0) return;
    struct stat a, b;
    if (::fstat(fd, &a) == 0 && ::fstat(fd_, &b) == 0 && a.st_dev == b.st_dev &&
        a.st_ino == b.st_ino) {
      lock_fd_ = fd;
    } else {
      ::close(fd);
    }
  }

  int IoError(int err, bool writing) const {
    // A valid handle used against its access mode is refused, as on DOS.
    if (err == EBADF) return dos::kAccessDenied;
    return DosFromErrno(err, writing);
  }

  int fd_;
  int lock_fd_ = -1;
  Access access_;
  std::string native_;
  std::vector<std::pair<uint32_t, uint32_t>> locks_;
};

uint8_t AttributesOf(const std::string& name, const struct stat& st) {
  uint8_t a = 0;
  if (S_ISDIR(st.st_mode)) {
    a |= attr::kDirectory;
  } else if (S_ISREG(st.st_mode)) {
    a |= attr::kArchive;
  } else {
    a |= attr::kSystem;
  }
  if (!name.empty() && name[0] == '.') a |= attr::kHidden;
  if ((st.st_mode & S_IWUSR) == 0) a |= attr::kReadOnly;
  return a;
}

}  // namespace

int PosixFileSystem::Open(const Text& path, Access access, Sharing sharing,
                          std::unique_ptr<File>* out) {
  out->reset();
  Resolved r;
  if (int e = Resolve(path, Want::kExisting, &r)) return e;
  int flags = access == Access::kRead ? O_RDONLY : access == Access::kWrite ? O_WRONLY : O_RDWR;
  int fd = OpenRetrying(r.native.c_str(), flags);
  if (fd < 0) return DosFromErrnoAt(errno, r.native, false);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return dos::kAccessDenied;
  }
  auto file = std::make_unique<PosixFile>(fd, access, r.native);
  if (int e = file->Share(sharing)) return e;
  *out = std::move(file);
  return dos::kOk;
}

int PosixFileSystem::Create(const Text& path, std::unique_ptr<File>* out) {
  out->reset();
  Resolved r;
  if (int e = Resolve(path, Want::kMaybeNew, &r)) return e;
  // Not O_TRUNC: the file is emptied only once no other opener denies it.
  int fd = OpenRetrying(r.native.c_str(), O_RDWR | O_CREAT, 0666);
  if (fd < 0) return DosFromErrnoAt(errno, r.native, true);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return dos::kAccessDenied;
  }
  auto file = std::make_unique<PosixFile>(fd, Access::kReadWrite, r.native);
  if (int e = file->Share(Sharing::kCompatibility)) return e;
  // A file that is empty already (a new one) is not truncated: on ext4 a
  // truncation to zero makes the close start writing the file out at once,
  // which for the thousands of files of a run cost a tenth of its time.
  if (::fstat(fd, &st) != 0 || st.st_size > 0) {
    if (int e = file->Truncate()) return e;
  }
  *out = std::move(file);
  return dos::kOk;
}

int PosixFileSystem::Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) {
  out->clear();
  auto sep = pattern.rfind(kPathSep);
  Text dir = sep == Text::npos ? Text() : pattern.substr(0, sep + 1);
  Text name = sep == Text::npos ? pattern : pattern.substr(sep + 1);
  std::string native_dir = ".";
  if (!dir.empty()) {
    Resolved r;
    if (Resolve(dir, Want::kExisting, &r) != dos::kOk) return dos::kPathNotFound;
    native_dir = r.native;
  }
  const uint8_t optional = attr::kHidden | attr::kSystem | attr::kDirectory;
  // A plain name spelled as it is on disk is the file that Open and Create
  // take (the exact spelling wins over other cases); it is found without
  // listing the directory, which for the size tests of a run over hundreds
  // of firms was a large part of the run's time.
  if (!name.empty() && name != "." && name != ".." &&
      name.find_first_of("*?") == Text::npos) {
    std::string exact = Cp852ToUtf8(name);
    std::string full = JoinNative(native_dir, exact);
    struct stat st;
    if (::stat(full.c_str(), &st) == 0 || ::lstat(full.c_str(), &st) == 0) {
      uint8_t a = AttributesOf(exact, st);
      if ((a & optional & ~attributes) == 0) {
        DirEntry de;
        de.name = Utf8ToCp852(exact);
        de.attributes = a;
        if (!S_ISDIR(st.st_mode)) {
          de.size = st.st_size > 0xFFFFFFFF ? 0xFFFFFFFFu : static_cast<uint32_t>(st.st_size);
        }
        out->push_back(std::move(de));
        return dos::kOk;
      }
    }
  }
  DirHandle d(native_dir);
  if (d.get() == nullptr) {
    return errno == ENOENT || errno == ENOTDIR ? dos::kPathNotFound : DosFromErrno(errno, false);
  }
  if (name.empty()) return dos::kNoMoreFiles;
  while (dirent* e = ::readdir(d.get())) {
    std::string entry = e->d_name;
    if (entry == "." || entry == "..") continue;
    Text cp = Utf8ToCp852(entry);
    if (!MatchNamePattern(name, cp)) continue;
    std::string full = JoinNative(native_dir, entry);
    struct stat st;
    if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
    uint8_t a = AttributesOf(entry, st);
    if ((a & optional & ~attributes) != 0) continue;
    DirEntry de;
    de.name = cp;
    de.attributes = a;
    if (!S_ISDIR(st.st_mode)) {
      de.size = st.st_size > 0xFFFFFFFF ? 0xFFFFFFFFu : static_cast<uint32_t>(st.st_size);
    }
    out->push_back(std::move(de));
  }
  std::sort(out->begin(), out->end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return out->empty() ? dos::kNoMoreFiles : dos::kOk;
}

int PosixFileSystem::Rename(const Text& from, const Text& to) {
  Resolved src;
  if (int e = Resolve(from, Want::kExisting, &src)) return e;
  Resolved dst;
  if (int e = Resolve(to, Want::kMaybeNew, &dst)) return e == dos::kFileNotFound ? dos::kPathNotFound : e;
  std::string target = dst.native;
  if (dst.exists) {
    struct stat a, b;
    bool same = ::stat(src.native.c_str(), &a) == 0 && ::stat(dst.native.c_str(), &b) == 0 &&
                a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    if (!same) return dos::kFileExists;
    // Only the letter case changes: give the file the name as written.
    auto sep = to.rfind(kPathSep);
    target = ReplaceLast(dst.native,
                         Cp852ToUtf8(sep == Text::npos ? TextView(to) : TextView(to).substr(sep + 1)));
    if (target == src.native) return dos::kOk;
    if (::rename(src.native.c_str(), target.c_str()) < 0) return DosFromErrnoAt(errno, target, true);
    return dos::kOk;
  }
  // Never replaces a file that appeared meanwhile.
  if (::renameat2(AT_FDCWD, src.native.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) < 0) {
    if (errno != EINVAL && errno != ENOSYS) return DosFromErrnoAt(errno, target, true);
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0) return dos::kFileExists;
    if (::rename(src.native.c_str(), target.c_str()) < 0) return DosFromErrnoAt(errno, target, true);
  }
  return dos::kOk;
}

int PosixFileSystem::Remove(const Text& path) {
  Resolved r;
  if (int e = Resolve(path, Want::kExisting, &r)) return e;
  struct stat st;
  if (::lstat(r.native.c_str(), &st) != 0) return DosFromErrnoAt(errno, r.native, true);
  // As on DOS: directories are not deleted as files, and a read-only file
  // is kept.
  if (S_ISDIR(st.st_mode)) return dos::kAccessDenied;
  if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return dos::kAccessDenied;
  if (::unlink(r.native.c_str()) < 0) return DosFromErrnoAt(errno, r.native, true);
  return dos::kOk;
}

int PosixFileSystem::MakeDir(const Text& path) {
  Resolved r;
  if (int e = Resolve(path, Want::kMaybeNew, &r)) return e == dos::kFileNotFound ? dos::kPathNotFound : e;
  if (r.exists) return dos::kFileExists;
  if (::mkdir(r.native.c_str(), 0777) < 0) return DosFromErrnoAt(errno, r.native, true);
  return dos::kOk;
}

int PosixFileSystem::CurrentDir(Text* out) {
  out->clear();
  std::string buf(PATH_MAX, '\0');
  if (::getcwd(buf.data(), buf.size()) == nullptr) return DosFromErrno(errno, false);
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  *out = Utf8ToCp852(buf);
  return dos::kOk;
}

}  // namespace qz
