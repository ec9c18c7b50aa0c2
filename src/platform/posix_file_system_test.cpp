#include "platform/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {
namespace {

namespace stdfs = std::filesystem;

std::string ReadAll(File& f) {
  std::string out;
  char buf[64];
  std::size_t got = 0;
  while (f.Read(buf, sizeof buf, &got) == 0 && got > 0) out.append(buf, got);
  return out;
}

std::vector<std::string> NamesOnDisk(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : stdfs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class PosixFsTest : public ::testing::Test {
 protected:
  TestEnv env;
  PosixFileSystem& fs = env.real_fs;

  std::string ReadVia(const Text& path) {
    std::unique_ptr<File> f;
    EXPECT_EQ(fs.Open(path, Access::kRead, Sharing::kDenyNone, &f), 0) << path;
    return f ? ReadAll(*f) : std::string("<not opened>");
  }
};

TEST_F(PosixFsTest, FindsEveryPathComponentWithoutRegardToCase) {
  env.WriteFile("Firma1/2019VJ17.rek", "ledger");
  env.WriteFile("Łódź/Żółw.TXT", "polish");
  EXPECT_EQ(ReadVia(env.Path("FIRMA1/2019vJ17.REK")), "ledger");
  EXPECT_EQ(ReadVia(env.Path("firma1/2019vj17.rek")), "ledger");
  // Polish capitals and small letters are one letter for file names.
  EXPECT_EQ(ReadVia(env.Path("ŁÓDŹ/żółw.txt"_cp)), "polish");
  EXPECT_EQ(ReadVia(env.Path("łódź/ŻÓŁW.txt"_cp)), "polish");
}

TEST_F(PosixFsTest, ExactSpellingWinsOverOtherCase) {
  env.WriteFile("abc.dat", "small");
  env.WriteFile("ABC.dat", "capital");
  EXPECT_EQ(ReadVia(env.Path("abc.dat")), "small");
  EXPECT_EQ(ReadVia(env.Path("ABC.dat")), "capital");
  // No exact match: the first name in byte order is taken.
  EXPECT_EQ(ReadVia(env.Path("Abc.DAT")), "capital");
}

TEST_F(PosixFsTest, CreateReplacesAFileWhoseNameDiffersOnlyByCase) {
  env.WriteFile("sub/DATA.Rek", "old contents");
  std::unique_ptr<File> f;
  ASSERT_EQ(fs.Create(env.Path("SUB/data.REK"), &f), 0);
  ASSERT_EQ(f->Write("new", 3), 0);
  ASSERT_EQ(f->Close(), 0);
  EXPECT_EQ(NamesOnDisk(env.dir.native() + "/sub"), std::vector<std::string>{"DATA.Rek"});
  EXPECT_EQ(env.ReadFile("sub/DATA.Rek"), "new");
}

TEST_F(PosixFsTest, NewNamesKeepTheirCaseAndPolishLettersRoundTrip) {
  std::unique_ptr<File> f;
  ASSERT_EQ(fs.Create(env.Path("Zażółć.Rek"_cp), &f), 0);
  ASSERT_EQ(f->Close(), 0);
  ASSERT_EQ(fs.MakeDir(env.Path("Kat_Ąę"_cp)), 0);
  EXPECT_EQ(NamesOnDisk(env.dir.native()), (std::vector<std::string>{"Kat_Ąę", "Zażółć.Rek"}));
  std::vector<DirEntry> found;
  ASSERT_EQ(fs.Find(env.Path("*.*"), attr::kAnyFile, &found), 0);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].name, "Kat_Ąę"_cp);
  EXPECT_EQ(found[1].name, "Zażółć.Rek"_cp);
}

TEST_F(PosixFsTest, ReadWriteSeekSizeTruncate) {
  std::unique_ptr<File> f;
  ASSERT_EQ(fs.Create(env.Path("r.bin"), &f), 0);
  ASSERT_EQ(f->Write("0123456789", 10), 0);
  uint64_t v = 0;
  ASSERT_EQ(f->Size(&v), 0);
  EXPECT_EQ(v, 10u);
  ASSERT_EQ(f->Seek(4), 0);
  char buf[8];
  std::size_t got = 0;
  ASSERT_EQ(f->Read(buf, 3, &got), 0);
  EXPECT_EQ(std::string(buf, got), "456");
  ASSERT_EQ(f->Tell(&v), 0);
  EXPECT_EQ(v, 7u);
  ASSERT_EQ(f->Truncate(), 0);
  ASSERT_EQ(f->Read(buf, 8, &got), 0);
  EXPECT_EQ(got, 0u);  // end of file
  ASSERT_EQ(f->Flush(), 0);
  ASSERT_EQ(f->Close(), 0);
  EXPECT_EQ(env.ReadFile("r.bin"), "0123456");
  // Every call on a closed file is refused.
  EXPECT_EQ(f->Read(buf, 1, &got), dos::kInvalidHandle);
  EXPECT_EQ(f->Write("x", 1), dos::kInvalidHandle);
  EXPECT_EQ(f->Close(), dos::kInvalidHandle);
}

TEST_F(PosixFsTest, FindPatternsAndAttributes) {
  env.WriteFile("2019KOL2.rek", "12345");
  env.WriteFile("2019vJ17.REK", "");
  env.WriteFile("README", "x");
  env.WriteFile(".hidden", "h");
  env.WriteFile("Dane/inner.txt", "i");
  env.WriteFile("ro.txt", "r");
  ::chmod((env.dir.native() + "/ro.txt").c_str(), 0444);

  struct Case {
    const char* pattern;
    uint8_t attributes;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"*.*", attr::kOrdinary, {".hidden", "2019KOL2.rek", "2019vJ17.REK", "README", "ro.txt"}},
      {"*.*", attr::kAnyFile, {".hidden", "2019KOL2.rek", "2019vJ17.REK", "Dane", "README", "ro.txt"}},
      {"*", 0, {"2019KOL2.rek", "2019vJ17.REK", "README", "ro.txt"}},
      {"2019*.rek", 0, {"2019KOL2.rek", "2019vJ17.REK"}},
      {"2019???2.REK", 0, {"2019KOL2.rek"}},
      {"2019vj17.rek", 0, {"2019vJ17.REK"}},
      {"readme.*", 0, {"README"}},
      {"DANE", attr::kDirectory, {"Dane"}},
      {"DANE/*.TXT", 0, {"inner.txt"}},
  };
  for (const Case& c : cases) {
    std::vector<DirEntry> out;
    EXPECT_EQ(fs.Find(env.Path(c.pattern), c.attributes, &out), 0) << c.pattern;
    std::vector<std::string> names;
    for (const DirEntry& e : out) names.push_back(e.name);
    EXPECT_EQ(names, c.names) << c.pattern;
  }

  std::vector<DirEntry> out;
  ASSERT_EQ(fs.Find(env.Path("*.*"), attr::kAnyFile, &out), 0);
  auto entry = [&](const std::string& name) {
    for (const DirEntry& e : out)
      if (e.name == name) return e;
    return DirEntry{};
  };
  EXPECT_EQ(entry("2019KOL2.rek").size, 5u);
  EXPECT_EQ(entry("2019KOL2.rek").attributes, attr::kArchive);
  EXPECT_EQ(entry(".hidden").attributes, attr::kArchive | attr::kHidden);
  EXPECT_EQ(entry("Dane").attributes, attr::kDirectory);
  EXPECT_EQ(entry("Dane").size, 0u);
  EXPECT_EQ(entry("ro.txt").attributes, attr::kArchive | attr::kReadOnly);

  EXPECT_EQ(fs.Find(env.Path("*.xyz"), attr::kAnyFile, &out), dos::kNoMoreFiles);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(fs.Find(env.Path("Dane"), attr::kOrdinary, &out), dos::kNoMoreFiles);
  EXPECT_EQ(fs.Find(env.Path("Dane/"), attr::kAnyFile, &out), dos::kNoMoreFiles);
  EXPECT_EQ(fs.Find(env.Path("missing/*.*"), attr::kAnyFile, &out), dos::kPathNotFound);
  EXPECT_EQ(fs.Find(env.Path("README/*.*"), attr::kAnyFile, &out), dos::kPathNotFound);
}

TEST_F(PosixFsTest, FindOfAPlainNameTakesTheExactSpellingFirst) {
  env.WriteFile("Data.rek", "12");
  env.WriteFile("DATA.REK", "1234");
  env.WriteFile("Sub/x", "");
  struct Case {
    const char* pattern;
    uint8_t attributes;
    std::vector<std::pair<std::string, uint32_t>> found;
  };
  const Case cases[] = {
      {"Data.rek", 0, {{"Data.rek", 2}}},                    // as Open would take it
      {"DATA.REK", 0, {{"DATA.REK", 4}}},
      {"data.rek", 0, {{"DATA.REK", 4}, {"Data.rek", 2}}},   // no exact spelling: every case
      {"Data.*", 0, {{"DATA.REK", 4}, {"Data.rek", 2}}},
      {"Sub", attr::kDirectory, {{"Sub", 0}}},
  };
  for (const Case& c : cases) {
    std::vector<DirEntry> out;
    EXPECT_EQ(fs.Find(env.Path(c.pattern), c.attributes, &out), 0) << c.pattern;
    std::vector<std::pair<std::string, uint32_t>> found;
    for (const DirEntry& e : out) found.emplace_back(e.name, e.size);
    EXPECT_EQ(found, c.found) << c.pattern;
  }
  std::vector<DirEntry> out;
  EXPECT_EQ(fs.Find(env.Path("Sub"), attr::kOrdinary, &out), dos::kNoMoreFiles);
  EXPECT_EQ(fs.Find(env.Path("Sub/x/y"), attr::kAnyFile, &out), dos::kPathNotFound);
}

TEST_F(PosixFsTest, ErrorNumbers) {
  env.WriteFile("file.txt", "x");
  env.WriteFile("dir/inner.txt", "y");
  std::unique_ptr<File> f;
  EXPECT_EQ(fs.Open(env.Path("none.txt"), Access::kRead, Sharing::kDenyNone, &f), dos::kFileNotFound);
  EXPECT_EQ(fs.Open(env.Path("nodir/a.txt"), Access::kRead, Sharing::kDenyNone, &f),
            dos::kPathNotFound);
  EXPECT_EQ(fs.Open(env.Path("file.txt/a"), Access::kRead, Sharing::kDenyNone, &f),
            dos::kPathNotFound);
  EXPECT_EQ(fs.Open(env.Path("dir"), Access::kRead, Sharing::kDenyNone, &f), dos::kAccessDenied);
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(fs.Create(env.Path("nodir/a.txt"), &f), dos::kPathNotFound);
  EXPECT_EQ(fs.Create(env.Path("a*b.txt"), &f), dos::kInvalidName);
  EXPECT_EQ(fs.Open(env.Path("a?b.txt"), Access::kRead, Sharing::kDenyNone, &f), dos::kInvalidName);
  EXPECT_EQ(fs.MakeDir(env.Path("bad\x01" "dir")), dos::kInvalidName);
  EXPECT_EQ(fs.Create(env.Path("DIR"), &f), dos::kAccessDenied);
  EXPECT_EQ(fs.MakeDir(env.Path("Dir")), dos::kFileExists);
  EXPECT_EQ(fs.MakeDir(env.Path("nodir/sub")), dos::kPathNotFound);
  EXPECT_EQ(fs.Remove(env.Path("none.txt")), dos::kFileNotFound);
  EXPECT_EQ(fs.Remove(env.Path("dir")), dos::kAccessDenied);
  EXPECT_EQ(fs.Rename(env.Path("none.txt"), env.Path("b.txt")), dos::kFileNotFound);
  EXPECT_EQ(fs.Rename(env.Path("FILE.TXT"), env.Path("dir/INNER.TXT")), dos::kFileExists);
  EXPECT_EQ(env.ReadFile("dir/inner.txt"), "y");  // not replaced

  // A handle used against its access mode.
  ASSERT_EQ(fs.Open(env.Path("file.txt"), Access::kRead, Sharing::kDenyNone, &f), 0);
  EXPECT_EQ(f->Write("z", 1), dos::kAccessDenied);
  EXPECT_EQ(f->Truncate(), dos::kAccessDenied);
  f.reset();
  ASSERT_EQ(fs.Open(env.Path("file.txt"), Access::kWrite, Sharing::kDenyNone, &f), 0);
  char c;
  std::size_t got;
  EXPECT_EQ(f->Read(&c, 1, &got), dos::kAccessDenied);
  f.reset();

  // A read-only file is kept by Remove; without write permission it cannot
  // be opened for writing (the superuser ignores permissions).
  ::chmod((env.dir.native() + "/file.txt").c_str(), 0444);
  EXPECT_EQ(fs.Remove(env.Path("file.txt")), dos::kAccessDenied);
  if (::geteuid() != 0) {
    EXPECT_EQ(fs.Open(env.Path("file.txt"), Access::kReadWrite, Sharing::kDenyNone, &f),
              dos::kAccessDenied);
  }
}

TEST_F(PosixFsTest, RenameRemoveMakeDirAndCurrentDir) {
  env.WriteFile("Old.txt", "data");
  ASSERT_EQ(fs.Rename(env.Path("OLD.TXT"), env.Path("new.txt~")), 0);
  EXPECT_EQ(env.ReadFile("new.txt~"), "data");
  EXPECT_FALSE(env.Exists("Old.txt"));
  // A change of letter case only is a rename to the name as written.
  ASSERT_EQ(fs.Rename(env.Path("new.txt~"), env.Path("NEW.TXT~")), 0);
  EXPECT_EQ(NamesOnDisk(env.dir.native()), std::vector<std::string>{"NEW.TXT~"});
  ASSERT_EQ(fs.Remove(env.Path("new.TXT~")), 0);
  EXPECT_TRUE(NamesOnDisk(env.dir.native()).empty());
  ASSERT_EQ(fs.MakeDir(env.Path("A")), 0);
  ASSERT_EQ(fs.MakeDir(env.Path("a/B")), 0);
  EXPECT_TRUE(stdfs::is_directory(env.dir.native() + "/A/B"));

  Text cwd;
  ASSERT_EQ(fs.CurrentDir(&cwd), 0);
  EXPECT_EQ(Cp852ToUtf8(cwd), stdfs::current_path().string());
}

// Opens `path` as a second opener and reports the DOS error number.
int TryOpen(FileSystem& fs, const Text& path, Access a, Sharing s) {
  std::unique_ptr<File> f;
  return fs.Open(path, a, s, &f);
}

TEST_F(PosixFsTest, SharingModesFollowTheDosShareTable) {
  env.WriteFile("shared.dat", "0123456789");
  const Text path = env.Path("shared.dat");
  struct Case {
    Access first_access;
    Sharing first;
    Access second_access;
    Sharing second;
    int expected;
  };
  const Case cases[] = {
      {Access::kReadWrite, Sharing::kDenyNone, Access::kReadWrite, Sharing::kDenyNone, 0},
      {Access::kReadWrite, Sharing::kCompatibility, Access::kRead, Sharing::kCompatibility, 0},
      {Access::kRead, Sharing::kExclusive, Access::kRead, Sharing::kDenyNone, 32},
      {Access::kRead, Sharing::kDenyNone, Access::kRead, Sharing::kExclusive, 32},
      {Access::kWrite, Sharing::kDenyNone, Access::kRead, Sharing::kExclusive, 32},
      {Access::kRead, Sharing::kDenyWrite, Access::kRead, Sharing::kDenyNone, 0},
      {Access::kRead, Sharing::kDenyWrite, Access::kReadWrite, Sharing::kDenyNone, 32},
      {Access::kRead, Sharing::kDenyWrite, Access::kRead, Sharing::kDenyWrite, 0},
      {Access::kReadWrite, Sharing::kDenyNone, Access::kRead, Sharing::kDenyWrite, 32},
      {Access::kRead, Sharing::kDenyNone, Access::kRead, Sharing::kDenyWrite, 0},
      {Access::kWrite, Sharing::kDenyRead, Access::kRead, Sharing::kDenyNone, 32},
      {Access::kWrite, Sharing::kDenyRead, Access::kWrite, Sharing::kDenyNone, 0},
      {Access::kRead, Sharing::kDenyNone, Access::kWrite, Sharing::kDenyRead, 32},
  };
  for (const Case& c : cases) {
    std::unique_ptr<File> first;
    ASSERT_EQ(fs.Open(path, c.first_access, c.first, &first), 0);
    EXPECT_EQ(TryOpen(fs, path, c.second_access, c.second), c.expected)
        << int(c.first_access) << "/" << int(c.first) << " then " << int(c.second_access) << "/"
        << int(c.second);
  }
  // Closing the exclusive opener frees the file; Create respects it too.
  std::unique_ptr<File> excl;
  ASSERT_EQ(fs.Open(env.Path("SHARED.DAT"), Access::kRead, Sharing::kExclusive, &excl), 0);
  std::unique_ptr<File> created;
  EXPECT_EQ(fs.Create(path, &created), dos::kSharingViolation);
  EXPECT_EQ(env.ReadFile("shared.dat"), "0123456789");  // not emptied
  ASSERT_EQ(excl->Close(), 0);
  EXPECT_EQ(TryOpen(fs, path, Access::kReadWrite, Sharing::kExclusive), 0);
}

TEST_F(PosixFsTest, LocksExcludeOtherOpenersAndNeverWait) {
  env.WriteFile("list.dat", std::string(100, 'x'));
  const Text path = env.Path("list.dat");
  std::unique_ptr<File> a, b, ro;
  ASSERT_EQ(fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &a), 0);
  ASSERT_EQ(fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &b), 0);
  ASSERT_EQ(fs.Open(path, Access::kRead, Sharing::kDenyNone, &ro), 0);
  ASSERT_EQ(a->Lock(0, 2147483647), 0);
  EXPECT_EQ(b->Lock(0, 1), dos::kLockViolation);
  EXPECT_EQ(ro->Lock(50, 1), dos::kLockViolation);
  EXPECT_EQ(a->Lock(10, 1), dos::kLockViolation);  // overlaps its own lock
  // Ranges beyond the whole-file lock stay free, up to the 32-bit limit.
  EXPECT_EQ(b->Lock(0xFFFFFFF0u, 0xFFFFFFFFu), 0);
  EXPECT_EQ(a->Unlock(0, 1), dos::kLockViolation);  // not the range locked
  ASSERT_EQ(a->Unlock(0, 2147483647), 0);
  EXPECT_EQ(a->Unlock(0, 2147483647), dos::kLockViolation);
  ASSERT_EQ(ro->Lock(0, 1), 0);  // a read-only opener locks as well
  EXPECT_EQ(b->Lock(0, 1), dos::kLockViolation);
  ASSERT_EQ(ro->Close(), 0);  // closing releases the lock
  EXPECT_EQ(b->Lock(0, 1), 0);
}

// Runs `child` in a forked process that reports to the parent through a
// pipe once it holds what it took, then waits for a byte before it exits.
class Child {
 public:
  explicit Child(const std::function<int()>& child) {
    if (::pipe(up_) != 0 || ::pipe(down_) != 0) ADD_FAILURE() << "pipe";
    pid_ = ::fork();
    if (pid_ == 0) {
      char r = static_cast<char>(child());
      (void)!::write(up_[1], &r, 1);
      char c;
      (void)!::read(down_[0], &c, 1);
      ::_exit(0);
    }
    char r = 1;
    if (::read(up_[0], &r, 1) != 1) ADD_FAILURE() << "child died";
    status_ = r;
  }
  ~Child() {
    Finish();
    for (int fd : {up_[0], up_[1], down_[0], down_[1]}) ::close(fd);
  }
  int status() const { return status_; }
  void Finish() {
    if (pid_ <= 0) return;
    (void)!::write(down_[1], "x", 1);
    int st = 0;
    ::waitpid(pid_, &st, 0);
    pid_ = -1;
  }

 private:
  int up_[2], down_[2];
  pid_t pid_ = -1;
  int status_ = 0;
};

TEST_F(PosixFsTest, SharingAndLocksBetweenProcesses) {
  env.WriteFile("SPISFIRM.DAT", std::string(103, 'a'));
  const Text path = env.Path("spisfirm.dat");
  {
    Child child([&] {
      std::unique_ptr<File> f;
      return fs.Open(path, Access::kRead, Sharing::kExclusive, &f) == 0 ? (f.release(), 0) : 1;
    });
    ASSERT_EQ(child.status(), 0);
    EXPECT_EQ(TryOpen(fs, path, Access::kReadWrite, Sharing::kDenyNone), dos::kSharingViolation);
    child.Finish();
    EXPECT_EQ(TryOpen(fs, path, Access::kReadWrite, Sharing::kDenyNone), 0);
  }
  {
    std::unique_ptr<File> mine;
    ASSERT_EQ(fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &mine), 0);
    Child child([&] {
      std::unique_ptr<File> f;
      if (fs.Open(path, Access::kRead, Sharing::kExclusive, &f) != dos::kSharingViolation) return 1;
      if (fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &f) != 0) return 2;
      if (f->Lock(0, 2147483647) != 0) return 3;
      f.release();  // keep the lock until the process ends
      return 0;
    });
    ASSERT_EQ(child.status(), 0);
    EXPECT_EQ(mine->Lock(0, 2147483647), dos::kLockViolation);
    EXPECT_EQ(mine->Lock(0, 1), dos::kLockViolation);
    child.Finish();
    EXPECT_EQ(mine->Lock(0, 2147483647), 0);
  }
}

// Two processes racing for exclusive opens: never both inside at once. The
// holder marks byte 0 while inside; finding it marked is an overlap.
TEST_F(PosixFsTest, RacingExclusiveOpensNeverOverlap) {
  env.WriteFile("race.dat", "0");
  const Text path = env.Path("race.dat");
  // Two opens that register at the same moment both fail; like the program's
  // own retry loop, each side backs off (by a different pause, so that the
  // two cannot stay in step) before it tries again.
  auto run = [&](int rounds, useconds_t backoff) {
    int overlaps = 0, entered = 0;
    for (int i = 0; i < rounds; ++i) {
      std::unique_ptr<File> f;
      if (fs.Open(path, Access::kReadWrite, Sharing::kExclusive, &f) != 0) {
        ::usleep(backoff);
        continue;
      }
      ++entered;
      char c = 0;
      std::size_t got = 0;
      f->Read(&c, 1, &got);
      if (c == '1') ++overlaps;
      f->Seek(0);
      f->Write("1", 1);
      ::usleep(200);
      f->Seek(0);
      f->Write("0", 1);
    }
    return std::pair(overlaps, entered);
  };
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(run(300, 70).first == 0 ? 0 : 1);
  auto [overlaps, entered] = run(300, 130);
  int status = -1;
  ::waitpid(pid, &status, 0);
  EXPECT_EQ(overlaps, 0);
  EXPECT_GT(entered, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace qz
