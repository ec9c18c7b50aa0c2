#include "sharedfile/temp_dir.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace qz {
namespace {

TEST(TempDir, FirstVariableNamingADirectoryWins) {
  TestEnv env;
  env.WriteFile("tmp/a.txt", "");
  env.WriteFile("plain.txt", "");
  env.process.env["qzTEMP"] = env.Path("missing");
  env.process.env["RODIVU"] = env.Path("plain.txt");  // a file, not a directory
  env.process.env["TEMP"] = env.Path("tmp/");
  env.process.env["TMP"] = env.Path("");
  FindTempDir(env.ctx);
  EXPECT_EQ(env.ctx.shared.temp_dir, env.Path("tmp/"));

  TestEnv none;
  FindTempDir(none.ctx);
  Text current;
  ASSERT_EQ(none.fs.CurrentDir(&current), 0);
  EXPECT_EQ(none.ctx.shared.temp_dir, current);
}

TEST(TempDir, NamesSkipThoseInUse) {
  TestEnv env;
  Text first = MakeTempName(env.ctx, env.Path(""), ".tmp");
  ASSERT_EQ(first.rfind(env.Path("~qz"), 0), 0u) << first;
  ASSERT_EQ(first.substr(first.size() - 4), ".tmp");
  int n = std::stoi(first.substr(env.Path("~qz").size()));
  env.WriteFile("~qz" + std::to_string(n) + ".tmp", "");
  env.WriteFile("~qz" + std::to_string(n + 1) + ".tmp/x", "");  // a directory counts too
  EXPECT_EQ(MakeTempName(env.ctx, env.dir.native(), ".tmp"),
            env.Path("~qz" + std::to_string(n + 2) + ".tmp"));
  env.ctx.shared.temp_dir = env.Path("");
  EXPECT_EQ(MakeTempName(env.ctx, "", ".tmp"), env.Path("~qz" + std::to_string(n + 2) + ".tmp"));
}

}  // namespace
}  // namespace qz
