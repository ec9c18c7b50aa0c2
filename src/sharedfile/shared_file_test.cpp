#include "sharedfile/shared_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/exit.h"
#include "platform/real_clock.h"
#include "sharedfile/file_mode.h"
#include "support/child_process.h"
#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {
namespace {

constexpr uint16_t kRec = 16;

/// Records of a name (text (14) at 0) and a tag byte at 15 that tells
/// records with equal names apart.
class NameFile : public SharedFile {
 public:
  NameFile(Context& ctx, const Text& name) : SharedFile(ctx, name, kRec) {}
  Text KeyOf(ConstBytes rec) override { return GetText(rec, 0, 14); }
};

std::string NameRec(const Text& name, char tag = ' ') {
  std::string r(kRec, '\0');
  Bytes b(reinterpret_cast<uint8_t*>(r.data()), r.size());
  PutText(b, 0, 14, name);
  r[15] = tag;
  return r;
}

ConstBytes View(const std::string& r) {
  return ConstBytes(reinterpret_cast<const uint8_t*>(r.data()), r.size());
}

/// The file as "name/tag" texts, record by record.
std::vector<Text> ReadNames(const TestEnv& env, const std::string& file) {
  std::string bytes = env.ReadFile(file);
  std::vector<Text> out;
  for (std::size_t off = 0; off + kRec <= bytes.size(); off += kRec) {
    std::string rec = bytes.substr(off, kRec);
    Text name = GetText(View(rec), 0, 14);
    if (bytes[off + 15] != ' ') name += Text("/") + bytes[off + 15];
    out.push_back(name);
  }
  return out;
}

void WriteNames(TestEnv& env, const std::string& file, const std::vector<std::string>& recs) {
  std::string bytes;
  for (const std::string& r : recs) bytes += r;
  env.WriteFile(file, bytes);
}

struct InsertCase {
  const char* what;
  std::vector<std::string> before;
  std::string added;
  std::vector<Text> after;
  int32_t place;
};

TEST(SharedFileInsert, KeepsKeyOrder) {
  const std::vector<InsertCase> cases = {
      {"empty file", {}, NameRec("M"), {"M"}, 0},
      {"smaller than all", {NameRec("B"), NameRec("C"), NameRec("D")}, NameRec("A"),
       {"A", "B", "C", "D"}, 0},
      {"greater than all", {NameRec("A"), NameRec("B")}, NameRec("C"), {"A", "B", "C"}, 2},
      {"equal keys land after their equals",
       {NameRec("A", '1'), NameRec("B", '1'), NameRec("b", '2'), NameRec("C", '1')},
       NameRec("B", '3'), {"A/1", "B/1", "b/2", "B/3", "C/1"}, 3},
      {"Polish order: Ł after L", {NameRec("Lódź"_cp), NameRec("Zakopane")}, NameRec("Łódź"_cp),
       {"Lódź"_cp, "Łódź"_cp, "Zakopane"}, 1},
      {"Polish order: L before Ł", {NameRec("Łódź"_cp)}, NameRec("Lódź"_cp),
       {"Lódź"_cp, "Łódź"_cp}, 0},
  };
  for (const InsertCase& c : cases) {
    SCOPED_TRACE(c.what);
    TestEnv env;
    WriteNames(env, "LIST.DAT", c.before);
    NameFile f(env.ctx, env.Path("LIST.DAT"));
    ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
    EXPECT_TRUE(f.Insert(View(c.added)));
    EXPECT_EQ(f.cur_rec(), c.place);
    EXPECT_FALSE(f.locked());
    f.Done();
    EXPECT_EQ(ReadNames(env, "LIST.DAT"), c.after);
  }
}

TEST(SharedFileInsert, MovesRecordsAcrossManyChunks) {
  // 10000 records of 16 bytes: the records that move span several chunks.
  TestEnv env;
  std::vector<std::string> recs;
  std::vector<Text> expected;
  for (int i = 0; i < 10000; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "K%05d", i * 2);
    recs.push_back(NameRec(name));
    expected.push_back(name);
  }
  WriteNames(env, "BIG.DAT", recs);
  expected.insert(expected.begin() + 3, "K00005");
  expected.insert(expected.begin(), "A");
  NameFile f(env.ctx, env.Path("BIG.DAT"));
  ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
  int reads_before = env.fs.calls(FsOp::kRead);
  int writes_before = env.fs.calls(FsOp::kWrite);
  ASSERT_TRUE(f.Insert(View(NameRec("K00005"))));
  EXPECT_EQ(f.cur_rec(), 3);
  ASSERT_TRUE(f.Insert(View(NameRec("A"))));
  EXPECT_EQ(f.cur_rec(), 0);
  // Not one system call per moved record: a few per chunk.
  EXPECT_LT(env.fs.calls(FsOp::kRead) - reads_before, 20);
  EXPECT_LT(env.fs.calls(FsOp::kWrite) - writes_before, 20);
  f.Done();
  EXPECT_EQ(ReadNames(env, "BIG.DAT"), expected);
}

TEST(SharedFileInsert, ProgressBoxFromTwentyOneRecords) {
  for (int before : {19, 20}) {
    SCOPED_TRACE(before);
    TestEnv env;
    std::vector<std::string> recs;
    for (int i = 0; i < before; ++i) recs.push_back(NameRec("N" + std::to_string(100 + i)));
    WriteNames(env, "LIST.DAT", recs);
    NameFile f(env.ctx, env.Path("LIST.DAT"));
    ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
    ASSERT_TRUE(f.Insert(View(NameRec("A"))));
    EXPECT_EQ(f.insert_showed_progress(), before + 1 > 20);
    f.Done();
  }
}

TEST(SharedFileInsert, LockHeldByAnotherProcessAsksWhetherToWait) {
  TestEnv env;
  WriteNames(env, "LIST.DAT", {NameRec("B")});
  const Text path = env.Path("LIST.DAT");
  ChildProcess other([&] {
    std::unique_ptr<File> f;
    if (env.real_fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &f) != 0) return 1;
    if (f->Lock(0, SharedFile::kWholeFile) != 0) return 2;
    f.release();  // held until the process ends
    return 0;
  });
  ASSERT_EQ(other.Result(), 0);

  NameFile f(env.ctx, path);
  ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
  env.console.Type("t n");  // wait another cycle, then give up
  EXPECT_FALSE(f.Insert(View(NameRec("A"))));
  EXPECT_EQ(env.console.pending(), 0u);
  EXPECT_EQ(f.last_error(), dos::kLockViolation);
  // Two cycles of 30 attempts, each with 29 pauses of 50 ms.
  EXPECT_EQ(env.clock.slept_ms(), 2u * 29 * 50);
  EXPECT_EQ(env.fs.calls(FsOp::kLock), 60);
  EXPECT_EQ(ReadNames(env, "LIST.DAT"), std::vector<Text>{"B"});

  other.Finish();
  EXPECT_TRUE(f.Insert(View(NameRec("A"))));
  f.Done();
  EXPECT_EQ(ReadNames(env, "LIST.DAT"), (std::vector<Text>{"A", "B"}));
}

TEST(SharedFileLock, QueueWaitsUntilTheOtherProcessLetsGo) {
  TestEnv env;
  WriteNames(env, "LIST.DAT", {NameRec("B")});
  const Text path = env.Path("LIST.DAT");
  ChildProcess other([&] {
    std::unique_ptr<File> f;
    if (env.real_fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &f) != 0) return 1;
    if (f->Lock(0, SharedFile::kWholeFile) != 0) return 2;
    f.release();
    return 0;
  });
  ASSERT_EQ(other.Result(), 0);

  // A clock that lets the other process end after 100 pauses (more than
  // three cycles of the queue).
  struct ReleasingClock : VirtualClock {
    ChildProcess* other = nullptr;
    int pauses = 0;
    void SleepMs(int ms) override {
      VirtualClock::SleepMs(ms);
      if (++pauses == 100) other->Finish();
    }
  } clock;
  clock.other = &other;
  Platform platform{env.fs, env.console, clock, env.process};
  Context ctx(platform);
  NameFile f(ctx, path);
  ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
  EXPECT_TRUE(f.LockAll(RetryMode::kQueue));
  EXPECT_TRUE(f.locked());
  EXPECT_EQ(clock.pauses, 100);
  EXPECT_TRUE(f.Unlock());
  f.Done();
}

TEST(SharedFileInsert, SeriousErrorGoesOnOrEndsTheProgram) {
  for (bool go_on : {true, false}) {
    SCOPED_TRACE(go_on);
    TestEnv env;
    WriteNames(env, "LIST.DAT", {NameRec("A"), NameRec("C")});
    NameFile f(env.ctx, env.Path("LIST.DAT"));
    ASSERT_TRUE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
    // Write 1 appends, write 2 moves "C" up, write 3 puts "B" in place.
    env.fs.FailNth(FsOp::kWrite, 2, dos::kWriteFault);
    env.console.Type(go_on ? "t" : "n");
    if (go_on) {
      EXPECT_TRUE(f.Insert(View(NameRec("B"))));
      EXPECT_FALSE(f.locked());
      f.Done();
      // The failed move lost "C": the appended copy of "B" stays in its place.
      EXPECT_EQ(ReadNames(env, "LIST.DAT"), (std::vector<Text>{"A", "B", "B"}));
    } else {
      try {
        f.Insert(View(NameRec("B")));
        ADD_FAILURE() << "the program should end";
      } catch (const ExitRequest& e) {
        EXPECT_EQ(e.code, 255);
      }
    }
    EXPECT_EQ(env.console.pending(), 0u);
  }
}

TEST(SharedFileInsert, TwoProcessesInsertingAtOnceLoseNothing) {
  TestEnv env;
  env.WriteFile("SPISFIRM.DAT", "");
  const Text path = env.Path("SPISFIRM.DAT");
  auto inserter = [&](char prefix) {
    return [&env, path, prefix] {
      HeadlessConsole console;
      RealClock clock;
      Platform platform{env.real_fs, console, clock, env.process};
      Context ctx(platform);
      console.Type("\"" + std::string(100, 't') + "\"");  // "Tak" to any long wait
      NameFile f(ctx, path);
      if (!f.Open(OpenKind::kOpenOrCreate, RetryMode::kSilent)) return 1;
      // Keys interleave the two processes' names: A000, B000, A001, ...
      for (int i = 0; i < 200; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%03d%c", (i * 7) % 200, prefix);
        if (!f.Insert(View(NameRec(name)))) return 2;
      }
      f.Done();
      return 0;
    };
  };
  ChildProcess a(inserter('A'), false);
  ChildProcess b(inserter('B'), false);
  a.Go();
  b.Go();
  ASSERT_EQ(a.Result(), 0);
  ASSERT_EQ(b.Result(), 0);
  std::vector<Text> names = ReadNames(env, "SPISFIRM.DAT");
  ASSERT_EQ(names.size(), 400u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

TEST(SharedFileOpen, KindsAndWaiting) {
  {
    TestEnv env;  // a missing file is created empty
    NameFile f(env.ctx, env.Path("NEW.DAT"));
    EXPECT_TRUE(f.Open(OpenKind::kOpenOrCreate, RetryMode::kSilent));
    EXPECT_EQ(f.state(), SharedFile::kCreated);
    f.Done();
    EXPECT_EQ(env.ReadFile("NEW.DAT"), "");
  }
  {
    TestEnv env;  // missing: no file, no question
    NameFile f(env.ctx, env.Path("NONE.DAT"));
    EXPECT_FALSE(f.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
    EXPECT_FALSE(env.Exists("NONE.DAT"));
  }
  {
    TestEnv env;  // asked: "Nie" leaves the file missing, "Tak" creates it
    NameFile f(env.ctx, env.Path("ASK.DAT"));
    env.console.Type("n");
    EXPECT_FALSE(f.Open(OpenKind::kOpenOrAsk, RetryMode::kSilent));
    EXPECT_FALSE(env.Exists("ASK.DAT"));
    env.console.Type("t");
    EXPECT_TRUE(f.Open(OpenKind::kOpenOrAsk, RetryMode::kSilent));
    EXPECT_TRUE(env.Exists("ASK.DAT"));
  }
  {
    TestEnv env;  // a sharing violation is retried 30 times, 50 ms apart
    env.WriteFile("HELD.DAT", NameRec("A"));
    env.fs.FailFrom(FsOp::kOpen, 1, dos::kSharingViolation);
    NameFile f(env.ctx, env.Path("HELD.DAT"));
    EXPECT_FALSE(f.Open(OpenKind::kOpenOrCreate, RetryMode::kSilent));
    EXPECT_EQ(env.fs.calls(FsOp::kOpen), 31);
    EXPECT_EQ(env.clock.slept_ms(), 30u * 50);
    EXPECT_EQ(f.state(), SharedFile::kClosed);
  }
  {
    TestEnv env;  // access denied: the "Zabronony" box, then false
    env.WriteFile("DENY.DAT", NameRec("A"));
    env.fs.FailFrom(FsOp::kOpen, 1, dos::kAccessDenied);
    NameFile f(env.ctx, env.Path("DENY.DAT"));
    env.console.Type("Enter");
    EXPECT_FALSE(f.Open(OpenKind::kOpenOrCreate, RetryMode::kSilent));
    EXPECT_EQ(env.console.pending(), 0u);
  }
}

TEST(SharedFileExists, WaitsOnAccessErrorsAndAsks) {
  TestEnv env;
  env.WriteFile("X.DAT", "");
  env.fs.FailFrom(FsOp::kFind, 1, dos::kAccessDenied);
  NameFile f(env.ctx, env.Path("X.DAT"));
  env.console.Type("Esc n");  // Esc waits on; "Nie" gives up
  EXPECT_FALSE(f.Exists());
  // The question comes after five searches, the next one after four more.
  EXPECT_EQ(env.fs.calls(FsOp::kFind), 9);
  EXPECT_EQ(env.clock.slept_ms(), 8u * 500);

  TestEnv bad;
  bad.fs.FailNth(FsOp::kFind, 1, dos::kInvalidFormat);
  NameFile g(bad.ctx, bad.Path("X.DAT"));
  bad.console.Type("Enter");
  EXPECT_FALSE(g.Exists());
  EXPECT_EQ(bad.console.pending(), 0u);
}

TEST(SharedFileRecords, ReadFailureZeroFillsAndSeekEndCounts) {
  TestEnv env;
  WriteNames(env, "R.DAT", {NameRec("A"), NameRec("B")});
  env.WriteFile("R.DAT", env.ReadFile("R.DAT") + "xyz");  // a short tail is no record
  NameFile f(env.ctx, env.Path("R.DAT") + Text(100, 'x'));
  EXPECT_EQ(f.name().size(), SharedFile::kMaxName);
  NameFile g(env.ctx, env.Path("R.DAT"));
  ASSERT_TRUE(g.Open(OpenKind::kOpenExisting, RetryMode::kSilent));
  int32_t n = 0;
  EXPECT_TRUE(g.SeekEnd(&n));
  EXPECT_EQ(n, 2);
  std::string buf(kRec, 'q');
  Bytes b(reinterpret_cast<uint8_t*>(buf.data()), buf.size());
  EXPECT_TRUE(g.ReadRecAt(1, b));
  EXPECT_EQ(GetText(b, 0, 14), "B");
  std::fill(buf.begin(), buf.end(), 'q');
  EXPECT_FALSE(g.ReadRecAt(2, b));  // only the 3-byte tail is there
  EXPECT_EQ(buf, std::string(kRec, '\0'));
  env.fs.FailNth(FsOp::kSize, 1, dos::kReadFault);
  EXPECT_FALSE(g.SeekEnd(&n));
  EXPECT_EQ(n, -1);
  g.Done();
}

TEST(FileMode, RestoreGoesBackToTheModeBeforeTheLastSet) {
  TestEnv env;
  uint8_t start = env.ctx.shared.open_mode;
  SetFileMode(env.ctx, open_mode::kRead | open_mode::kExclusive);
  SetFileMode(env.ctx, open_mode::kWrite);
  RestoreFileMode(env.ctx);
  EXPECT_EQ(env.ctx.shared.open_mode, open_mode::kRead | open_mode::kExclusive);
  EXPECT_NE(start, env.ctx.shared.open_mode);
}

}  // namespace
}  // namespace qz
