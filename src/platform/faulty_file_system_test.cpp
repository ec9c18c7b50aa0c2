#include "platform/faulty_file_system.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace qz {
namespace {

class FaultyFsTest : public ::testing::Test {
 protected:
  TestEnv env;
  FaultyFileSystem& fs = env.fs;
};

TEST_F(FaultyFsTest, FailsOnlyTheNthCallOfTheArmedOperation) {
  env.WriteFile("a.txt", "abc");
  fs.FailNth(FsOp::kOpen, 2, dos::kAccessDenied);
  std::unique_ptr<File> f;
  EXPECT_EQ(fs.Open(env.Path("a.txt"), Access::kRead, Sharing::kDenyNone, &f), 0);
  EXPECT_EQ(fs.Open(env.Path("a.txt"), Access::kRead, Sharing::kDenyNone, &f), dos::kAccessDenied);
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(fs.Open(env.Path("a.txt"), Access::kRead, Sharing::kDenyNone, &f), 0);
  EXPECT_EQ(fs.calls(FsOp::kOpen), 3);
  EXPECT_EQ(fs.calls(FsOp::kCreate), 0);
}

TEST_F(FaultyFsTest, CountsCallsAcrossFilesAndFailsWithoutSideEffects) {
  std::unique_ptr<File> a, b;
  ASSERT_EQ(fs.Create(env.Path("a.bin"), &a), 0);
  ASSERT_EQ(fs.Create(env.Path("b.bin"), &b), 0);
  fs.FailNth(FsOp::kWrite, 2, dos::kDiskFull);
  EXPECT_EQ(a->Write("1", 1), 0);
  EXPECT_EQ(b->Write("2", 1), dos::kDiskFull);
  EXPECT_EQ(a->Write("3", 1), 0);
  fs.FailNth(FsOp::kRead, 1, dos::kReadFault);
  ASSERT_EQ(a->Seek(0), 0);
  char buf[4] = {};
  std::size_t got = 7;
  EXPECT_EQ(a->Read(buf, 2, &got), dos::kReadFault);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(a->Read(buf, 2, &got), 0);  // the position did not move
  EXPECT_EQ(std::string(buf, got), "13");
  ASSERT_EQ(a->Close(), 0);
  ASSERT_EQ(b->Close(), 0);
  EXPECT_EQ(env.ReadFile("b.bin"), "");
}

TEST_F(FaultyFsTest, FailFromKeepsFailingUntilCleared) {
  fs.FailFrom(FsOp::kMakeDir, 2, dos::kAccessDenied);
  EXPECT_EQ(fs.MakeDir(env.Path("d1")), 0);
  EXPECT_EQ(fs.MakeDir(env.Path("d2")), dos::kAccessDenied);
  EXPECT_EQ(fs.MakeDir(env.Path("d3")), dos::kAccessDenied);
  EXPECT_FALSE(env.Exists("d2"));
  fs.Clear();
  EXPECT_EQ(fs.MakeDir(env.Path("d4")), 0);
  EXPECT_EQ(fs.calls(FsOp::kMakeDir), 4);
}

TEST_F(FaultyFsTest, PathOperationsCanFail) {
  env.WriteFile("x.txt", "x");
  fs.FailNth(FsOp::kRename, 1, dos::kAccessDenied);
  EXPECT_EQ(fs.Rename(env.Path("x.txt"), env.Path("y.txt")), dos::kAccessDenied);
  EXPECT_TRUE(env.Exists("x.txt"));
  fs.FailNth(FsOp::kFind, 1, dos::kPathNotFound);
  std::vector<DirEntry> out{DirEntry{}};
  EXPECT_EQ(fs.Find(env.Path("*.*"), attr::kAnyFile, &out), dos::kPathNotFound);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(fs.Find(env.Path("*.*"), attr::kAnyFile, &out), 0);
  fs.FailNth(FsOp::kRemove, 1, dos::kAccessDenied);
  EXPECT_EQ(fs.Remove(env.Path("x.txt")), dos::kAccessDenied);
  EXPECT_EQ(fs.Remove(env.Path("x.txt")), 0);
  fs.FailNth(FsOp::kCreate, 1, dos::kDiskFull);
  std::unique_ptr<File> f;
  EXPECT_EQ(fs.Create(env.Path("z.txt"), &f), dos::kDiskFull);
  EXPECT_FALSE(env.Exists("z.txt"));
}

TEST_F(FaultyFsTest, FailedLockAndFailedCloseStillLeaveTheFileUsable) {
  env.WriteFile("list.dat", "records");
  std::unique_ptr<File> f;
  ASSERT_EQ(fs.Open(env.Path("list.dat"), Access::kReadWrite, Sharing::kExclusive, &f), 0);
  fs.FailNth(FsOp::kLock, 1, dos::kLockViolation);
  EXPECT_EQ(f->Lock(0, 1), dos::kLockViolation);
  EXPECT_EQ(f->Lock(0, 1), 0);
  fs.FailNth(FsOp::kUnlock, 1, dos::kLockViolation);
  EXPECT_EQ(f->Unlock(0, 1), dos::kLockViolation);
  EXPECT_EQ(f->Unlock(0, 1), 0);
  // A failed close reports the error but the file is closed all the same:
  // the exclusive open is gone.
  fs.FailNth(FsOp::kClose, 1, dos::kWriteFault);
  EXPECT_EQ(f->Close(), dos::kWriteFault);
  EXPECT_EQ(f->Write("x", 1), dos::kInvalidHandle);
  std::unique_ptr<File> again;
  EXPECT_EQ(fs.Open(env.Path("list.dat"), Access::kReadWrite, Sharing::kExclusive, &again), 0);
}

}  // namespace
}  // namespace qz
