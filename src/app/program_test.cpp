#include "app/program.h"

#include <gtest/gtest.h>

#include "app/exit.h"
#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {
namespace {

// The run as if the user started it from the wizard with both start items
// cleared: the frame's own start-up and end, no transfer.
Stages NoTransferStages() {
  Stages s = DefaultStages();
  s.run_wizard = [](Context& ctx) {
    ctx.run.options.start_items = 0;
    return true;
  };
  return s;
}

// The program started from a directory of the temporary tree, with `args`
// after the program's own path.
class ProgramTest : public ::testing::Test {
 protected:
  void Start(const std::string& program_dir, std::vector<Text> args = {}) {
    env.process.program_path = env.Path(program_dir + "/qz18-19.EXE");
    env.process.args = {env.process.program_path};
    for (const Text& a : args) env.process.args.push_back(a);
  }
  std::string Row(int row) { return env.Row(row); }
  Screen& screen() { return env.console.screen(); }

  TestEnv env;
};

TEST_F(ProgramTest, HeaderRuleClosingLineAndEnd) {
  Start("RUR_2019");
  // With no key to read, the run stops at "Nacisnij Enter": the screen shows
  // the run up to there.
  EXPECT_THROW(RunProgram(env.ctx, NoTransferStages()), ScriptExhausted);
  EXPECT_EQ(Cp852ToUtf8(screen().RowText(1)),
            " PROGRAM DO PRZEPCHNIĘCIA DANYCH RUR_QZ Z ROKU 2018 NA 2019 1.05(x86)           ");
  EXPECT_EQ(screen().AttrAt(2, 1), 10);
  EXPECT_EQ(screen().RowText(2), Text(79, '\xC4') + " ");
  EXPECT_EQ(screen().AttrAt(1, 2), 15);
  EXPECT_EQ(Row(3), std::string(80, ' '));
  EXPECT_EQ(Row(4), std::string(80, ' '));
  EXPECT_EQ(Row(5).substr(0, 47), "Koniec pracy kopiera danych RUR_QZ na rok 2019 ");
  EXPECT_EQ(Row(6).substr(0, 15), "Nacisnij Enter ");
  EXPECT_EQ(screen().AttrAt(1, 6), 7);
  EXPECT_EQ(screen().cursor_col(), 15);
  EXPECT_EQ(screen().cursor_row(), 6);
  EXPECT_EQ(screen().title(), "qzTarvo - Konwerter 2018-2019");
  EXPECT_EQ(env.ctx.run.paths.source_root, "/RUR_2018/");
  EXPECT_EQ(env.ctx.run.paths.target_root, env.Path("RUR_2019/"));
  EXPECT_EQ(env.ctx.run.paths.program_dir, env.Path("RUR_2019/"));
}

TEST_F(ProgramTest, KeyEndsWithClearScreenAndCodeZero) {
  Start("RUR_2019");
  env.console.TypeAhead("Enter \"x\"");
  EXPECT_EQ(RunProgram(env.ctx, NoTransferStages()), 0);
  EXPECT_EQ(Row(1), std::string(80, ' '));
  EXPECT_EQ(Row(6), std::string(80, ' '));
  EXPECT_EQ(env.console.pending(), 0u);
}

TEST_F(ProgramTest, QuestionMarkShowsUsage) {
  for (const char* arg : {"?", "/?", "a?b", "--help", "-h"}) {
    TestEnv e;
    e.process.args = {"/opt/qz/qz18-19", arg};
    e.console.Type("Enter");
    EXPECT_EQ(RunProgram(e.ctx, NoTransferStages()), 0) << arg;
    ASSERT_EQ(e.console.printed().size(), 12u) << arg;
    EXPECT_EQ(e.console.printed()[4], "Uruchom qz18-19 [Katalog_danych_,2019]");
    EXPECT_EQ(e.Row(1), std::string(80, ' ')) << arg;  // no header: the run never began
    EXPECT_EQ(e.console.screen().title(), "qzTarvo - Konwerter 2018-2019");
  }
}

TEST_F(ProgramTest, FirstParameterIsTheTargetUnlessTheLocationFileSaysOtherwise) {
  Start("BIN", {"/kprspis:FIRMY.DAT"});
  env.console.Type("Enter");
  RunProgram(env.ctx, NoTransferStages());
  EXPECT_EQ(env.ctx.run.paths.target_root, "/kprspis:FIRMY.DAT");

  TestEnv e;
  e.process.program_path = e.Path("BIN/qz18-19.EXE");
  e.process.args = {e.process.program_path, "/dane/2019/"};
  e.WriteFile("BIN/qz18-19.PTH", "[PATHS]\r\nRUR_2019=/z/pliku\r\n");
  e.WriteFile("BIN/qz18-19.LST", "ZESTAW.TXT\r\n" + std::string(40, 'L') + "\r\n");
  e.console.Type("Enter");
  EXPECT_EQ(RunProgram(e.ctx, NoTransferStages()), 0);
  EXPECT_EQ(e.ctx.run.paths.target_root, "/z/pliku/");
  EXPECT_EQ(e.ctx.run.paths.source_root, "/RUR_2018/");
  std::vector<Text> want = {"ZESTAW.TXT", Text(25, 'L')};
  EXPECT_EQ(e.ctx.run.extra_files, want);
}

TEST_F(ProgramTest, DriveLetterIsDroppedFromTheProposedTarget) {
  struct Case {
    const char* program;
    const char* target;
  } cases[] = {
      {"D:/RUR_2019/qz18-19.EXE", "/RUR_2019/"},
      {"/RUR_2019/qz18-19.EXE", "/RUR_2019/"},
      {"qz18-19.EXE", ""},
  };
  for (const Case& c : cases) {
    TestEnv e;
    e.process.program_path = c.program;
    e.console.Type("Enter");
    RunProgram(e.ctx, NoTransferStages());
    EXPECT_EQ(e.ctx.run.paths.target_root, c.target) << c.program;
  }
}

TEST_F(ProgramTest, StartItemsChooseTheStages) {
  struct Case {
    uint16_t start_items;
    uint16_t global_items;
    bool started;
    const char* want;
  } cases[] = {
      {0x0003, 0x06D7, true, "GF"},
      {0x0001, 0x06D7, true, "G"},
      {0x0002, 0x06D7, true, "F"},
      {0x0003, 0x0000, true, "F"},  // every global item cleared
      {0x0000, 0x06D7, true, ""},
      {0xFFFF, 0x06D7, false, ""},   // give-up
  };
  for (const Case& c : cases) {
    TestEnv e;
    std::string ran;
    Stages stages;
    stages.run_wizard = [&](Context& ctx) {
      ctx.run.options.start_items = c.start_items;
      ctx.run.options.global_items = c.global_items;
      return c.started;
    };
    stages.transfer_global_data = [&](Context&) { ran += "G"; };
    stages.run_firm_transfers = [&](Context& ctx) {
      ran += "F";
      ctx.log.Line("firmy");
    };
    EXPECT_THROW(RunProgram(e.ctx, stages), ScriptExhausted);
    EXPECT_EQ(ran, c.want) << c.start_items << "/" << c.global_items;
    bool closing = e.Row(5).starts_with("Koniec") || e.Row(6).starts_with("Koniec");
    EXPECT_EQ(closing, c.started);
    // After a give-up only "Nacisnij Enter" shows, on the first row below the header.
    if (!c.started) {
      EXPECT_EQ(e.Row(3).substr(0, 15), "Nacisnij Enter ");
    }
  }
}

TEST_F(ProgramTest, ExitRequestEndsTheRunWithItsCode) {
  Stages stages = NoTransferStages();
  stages.run_wizard = [](Context&) -> bool { throw ExitRequest{255}; };
  EXPECT_EQ(RunProgram(env.ctx, stages), 255);
  EXPECT_EQ(env.console.screen().cursor_shape(), CursorShape::kSmall);
}

TEST_F(ProgramTest, SlowModePausesBeforeTheEnd) {
  Stages stages = NoTransferStages();
  stages.run_wizard = [](Context& ctx) {
    ctx.run.options.slow_mode = true;
    return false;
  };
  env.console.Type("Enter");
  EXPECT_EQ(RunProgram(env.ctx, stages), 0);
  EXPECT_EQ(env.clock.slept_ms(), 1000u);
}

}  // namespace
}  // namespace qz
