#ifndef QZ_TESTS_SUPPORT_TEST_ENV_H_
#define QZ_TESTS_SUPPORT_TEST_ENV_H_

#include <string>

#include "app/context.h"
#include "platform/faulty_file_system.h"
#include "platform/headless_console.h"
#include "platform/posix_file_system.h"

namespace qz {

/// A fresh temporary directory, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  /// The directory as a program path (CP852), ending with the separator.
  Text path() const;
  /// The directory as an OS path (UTF-8), without a trailing separator.
  const std::string& native() const { return native_; }

 private:
  std::string native_;
};

/// One test's whole world: a temporary directory, the real file system
/// behind a fault-injecting one, a headless console with a virtual clock,
/// process information and a clean `Context`.
struct TestEnv {
  TestEnv();

  TempDir dir;
  PosixFileSystem real_fs;
  FaultyFileSystem fs{real_fs};
  VirtualClock clock;
  HeadlessConsole console{&clock};
  ProcessInfo process;
  Platform platform{fs, console, clock, process};
  Context ctx{platform};

  /// `dir.path()` + `relative` (use "/" in `relative`).
  Text Path(const Text& relative) const;
  /// Writes a file below the directory (parents created), bytes as given.
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  /// Reads a file below the directory; throws when it is missing.
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  /// Screen row `row` (1-based) as UTF-8.
  std::string Row(int row) { return console.screen().RowUtf8(row); }
};

}  // namespace qz

#endif  // QZ_TESTS_SUPPORT_TEST_ENV_H_
