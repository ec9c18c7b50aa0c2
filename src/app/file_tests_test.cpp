#include "app/file_tests.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_env.h"

namespace qz {
namespace {

TEST(FileTestsTest, FileSizeOf) {
  TestEnv env;
  env.WriteFile("DATA/A.REK", std::string(1234, 'a'));
  env.WriteFile("DATA/EMPTY.REK", "");
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("DATA/A.REK")), 1234u);
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("data/a.rek")), 1234u);
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("DATA/EMPTY.REK")), 0u);
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("DATA/MISSING.REK")), 0u);
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("DATA")), 0u);  // a directory
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("NODIR/A.REK")), 0u);
  env.fs.FailNth(FsOp::kFind, 1, dos::kGeneralFailure);
  EXPECT_EQ(FileSizeOf(env.fs, env.Path("DATA/A.REK")), 0u);
}

TEST(FileTestsTest, DirExists) {
  TestEnv env;
  env.WriteFile("RUR_2019/FIRMA/x.txt", "x");
  EXPECT_TRUE(DirExists(env.fs, env.Path("RUR_2019")));
  EXPECT_TRUE(DirExists(env.fs, env.Path("rur_2019/firma")));
  EXPECT_FALSE(DirExists(env.fs, env.Path("RUR_2019") + kPathSep));
  EXPECT_FALSE(DirExists(env.fs, env.Path("RUR_2019/FIRMA/x.txt")));  // a file
  EXPECT_FALSE(DirExists(env.fs, env.Path("RUR_2018")));
  EXPECT_FALSE(DirExists(env.fs, ""));
}

}  // namespace
}  // namespace qz
