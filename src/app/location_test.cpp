#include "app/location.h"

#include <gtest/gtest.h>

#include "app/exit.h"
#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {
namespace {

TEST(ProgramLocationTest, BaseAndDirectory) {
  struct Case {
    const char* path;
    const char* base;
    const char* dir;
  } cases[] = {
      {"/opt/qz/qz18-19.EXE", "/opt/qz/qz18-19", "/opt/qz/"},
      {"/opt/qz/qz18-19", "/opt/qz/qz18-19", "/opt/qz/"},
      {"/home/u/.local/bin/qz18-19", "/home/u/.local/bin/qz18-19", "/home/u/.local/bin/"},
      {"/a.b/c.d.e", "/a.b/c.d", "/a.b/"},
      {"qz18-19.exe", "qz18-19", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    YearPaths paths;
    SetProgramLocation(c.path, &paths);
    EXPECT_EQ(paths.program_base, c.base) << c.path;
    EXPECT_EQ(paths.program_dir, c.dir) << c.path;
  }
  YearPaths paths;
  SetProgramLocation("/x/qz18-19.exe", &paths);
  EXPECT_EQ(ExtraFileListName(paths), "/x/qz18-19.LST");
  EXPECT_EQ(LocationFileName(paths), "/x/qz18-19.PTH");
}

class LocationFilesTest : public ::testing::Test {
 protected:
  LocationFilesTest() {
    SetProgramLocation(env.Path("BIN/qz18-19.EXE"), &env.ctx.run.paths);
    env.ctx.run.paths.source_root = "/RUR_2018/";
    env.ctx.run.paths.target_root = "/cmdline/";
  }
  YearPaths& paths() { return env.ctx.run.paths; }

  TestEnv env;
};

TEST_F(LocationFilesTest, ReadsKeysExactlyAsWritten) {
  env.WriteFile("BIN/qz18-19.PTH",
                "[PATHS]\r\n"
                "RUR_2018=/first\r\n"
                "rur_2018=/lower\r\n"
                " RUR_2018=/space\r\n"
                "RUR_2018=/data/2018/\r\n"  // a separator written by hand stays
                "RUR_2019=/data/" + "Łódź"_cp + "\r\n"
                "RUR_2020=/other\r\n");
  ReadLocationFile(env.ctx);
  EXPECT_EQ(paths().source_root, "/data/2018//");
  EXPECT_EQ(paths().target_root, "/data/Łódź/"_cp);  // CP852 bytes kept as they are
}

TEST_F(LocationFilesTest, OnlyTheTargetLineKeepsTheSourceDefault) {
  env.WriteFile("BIN/QZ18-19.pth", "RUR_2019=/nowy");  // no line end, other case of name
  ReadLocationFile(env.ctx);
  EXPECT_EQ(paths().source_root, "/RUR_2018/");
  EXPECT_EQ(paths().target_root, "/nowy/");
}

TEST_F(LocationFilesTest, MissingOrUnreadableFilesChangeNothing) {
  ReadLocationFile(env.ctx);
  ReadExtraFileList(env.ctx);
  EXPECT_EQ(paths().source_root, "/RUR_2018/");
  EXPECT_EQ(paths().target_root, "/cmdline/");
  EXPECT_TRUE(env.ctx.run.extra_files.empty());

  env.WriteFile("BIN/qz18-19.PTH", "RUR_2018=/x\r\n");
  env.WriteFile("BIN/qz18-19.LST", "A.DAT\r\n");
  env.fs.FailFrom(FsOp::kRead, 1, dos::kReadFault);  // a read error ends the reading
  ReadLocationFile(env.ctx);
  ReadExtraFileList(env.ctx);
  EXPECT_EQ(paths().source_root, "/RUR_2018/");
  EXPECT_TRUE(env.ctx.run.extra_files.empty());
}

TEST_F(LocationFilesTest, ExtraFileListLines) {
  std::string forty(40, 'n');
  env.WriteFile("BIN/qz18-19.LST", "A.DAT\r\n" + forty + "\r\n\r\n  spaced  \nlast\r\n\x1A");
  ReadExtraFileList(env.ctx);
  std::vector<Text> want = {"A.DAT", Text(25, 'n'), "", "  spaced  ", "last"};
  EXPECT_EQ(env.ctx.run.extra_files, want);

  env.ctx.run.extra_files.clear();
  env.WriteFile("BIN/qz18-19.LST", "");
  ReadExtraFileList(env.ctx);
  EXPECT_TRUE(env.ctx.run.extra_files.empty());
}

TEST_F(LocationFilesTest, LongLineIsCutNotSplit) {
  env.WriteFile("BIN/qz18-19.LST", std::string(300, 'x') + "\r\nB.DAT\r\n");
  ReadExtraFileList(env.ctx);
  std::vector<Text> want = {Text(25, 'x'), "B.DAT"};
  EXPECT_EQ(env.ctx.run.extra_files, want);
}

TEST_F(LocationFilesTest, WrittenFileIsReadBack) {
  paths().source_root = env.Path("RUR_2018/");
  paths().target_root = env.Path("RUR_2019/");
  env.WriteFile("BIN/.keep", "");
  ASSERT_EQ(WriteLocationFile(env.ctx), dos::kOk);
  std::string want = "[PATHS]\r\nRUR_2018=" + env.dir.native() + "/RUR_2018\r\nRUR_2019=" +
                     env.dir.native() + "/RUR_2019\r\n";
  EXPECT_EQ(env.ReadFile("BIN/qz18-19.PTH"), want);

  paths().source_root = paths().target_root = "";
  ReadLocationFile(env.ctx);
  EXPECT_EQ(paths().source_root, env.Path("RUR_2018/"));
  EXPECT_EQ(paths().target_root, env.Path("RUR_2019/"));
}

TEST_F(LocationFilesTest, WriteErrorsAreReported) {
  EXPECT_NE(WriteLocationFile(env.ctx), dos::kOk);  // the program directory is missing
  env.WriteFile("BIN/.keep", "");
  env.fs.FailNth(FsOp::kWrite, 1, dos::kDiskFull);
  EXPECT_EQ(WriteLocationFile(env.ctx), dos::kDiskFull);
}

TEST_F(LocationFilesTest, UsageTextThenKeyThenExit) {
  env.console.TypeAhead("Enter \"x\"");
  try {
    ShowUsage(env.ctx);
    FAIL() << "usage returned";
  } catch (const ExitRequest& e) {
    EXPECT_EQ(e.code, 0);
  }
  const auto& lines = env.console.printed();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "Program do kopiowania wybranych danych do nowego RUR_QZ.");
  EXPECT_EQ(lines[2], Text(70, '\xC4'));
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[6], "Katalog danych - lokalizacja istniejącego katalogu na rok 2019"_cp);
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(env.console.pending(), 0u);
}

}  // namespace
}  // namespace qz
