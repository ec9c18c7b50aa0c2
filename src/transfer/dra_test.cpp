#include "transfer/dra.h"

#include <string>

#include <gtest/gtest.h>

#include "app/context.h"
#include "support/fixture.h"
#include "support/test_env.h"
#include "transfer/convert_firm.h"

namespace qz {
namespace {

using fixture::Office;
using fixture::PatternRecord;
using fixture::Record;
using fixture::ScreenText;

TEST(SetDraBalance, SplitsTheBalanceBySign) {
  struct Case {
    double t1, t2, t3, t4, t5;
    double balance, owed, due;
  };
  const Case cases[] = {
      {100, 30, 0, 0, 0, 70, 0, 70},
      {0, 30, 0, 0, 0, -30, 30, 0},
      {10, 5, 1, 2, 3, 11, 0, 11},
      {50, 50, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.balance);
    Record d = PatternRecord(kDraDeclarationSize, 4);
    d.Real(478, c.t1).Real(518, c.t2).Real(590, c.t3).Real(614, c.t4).Real(630, c.t5);
    Record want = d;
    want.Real(688, c.balance).Real(526, c.owed).Real(534, c.due);
    SetDraBalance(d.bytes());
    EXPECT_TRUE(d == want);
  }
}

struct DraTest : ::testing::Test {
  DraTest() {
    env.WriteFile("new/F1/.keep", "");
    BeginFirm(env.ctx, "F1");
  }
  TestEnv env;
  Office office{env};
};

TEST_F(DraTest, DeclarationAndWholeAttachmentsAreCarried) {
  Record decl = PatternRecord(896, 1);
  decl.Real(478, 100).Real(518, 30).Real(590, 0).Real(614, 0).Real(630, 0);
  Record att = PatternRecord(448, 2);
  office.WriteOld("F1", "2019D401.001", decl.str_bytes() + att.str_bytes() + std::string(100, 'x'));
  office.WriteOld("F1", "2019D402.002", decl.str_bytes());
  ConvertDraAttachments(env.ctx);

  std::string out = office.ReadNew("F1", "2019D501.001");
  ASSERT_EQ(out.size(), 1344u);
  Record want = decl;
  want.Real(688, 70).Real(526, 0).Real(534, 70);
  EXPECT_EQ(out, want.str_bytes() + att.str_bytes());
  EXPECT_EQ(office.ReadNew("F1", "2019D502.002").size(), 896u);
  // Each file's entry starts its own row.
  std::string screen = "\n" + ScreenText(env);
  EXPECT_NE(screen.find("\n1. :2019D401.001"), std::string::npos) << screen;
  EXPECT_NE(screen.find("\n2. :2019D402.002"), std::string::npos) << screen;
}

TEST_F(DraTest, ShortDeclarationLeavesAnEmptyTarget) {
  office.WriteOld("F1", "2019D403.003", std::string(500, 'd'));
  ConvertDraAttachments(env.ctx);
  EXPECT_EQ(office.ReadNew("F1", "2019D503.003"), "");
  EXPECT_NE(ScreenText(env).find("1. :2019D403.003- Błąd odczytu !"), std::string::npos);
}

}  // namespace
}  // namespace qz
