#include "transfer/transfer_table.h"

#include <string>

#include <gtest/gtest.h>

#include "app/context.h"
#include "support/fixture.h"
#include "support/test_env.h"
#include "transfer/convert_firm.h"

namespace qz {
namespace {

using fixture::Office;

std::vector<int> EnabledItems(const Context& ctx) {
  std::vector<int> out;
  for (const TransferItem& item : TransferTable()) {
    if (ItemEnabled(ctx, item)) out.push_back(item.number);
  }
  return out;
}

TEST(TransferTable, ItemsRunInOrderUnderTheirGates) {
  TestEnv env;
  Context& ctx = env.ctx;
  std::vector<int> numbers;
  for (const TransferItem& item : TransferTable()) numbers.push_back(item.number);
  ASSERT_EQ(numbers.size(), 34u);
  for (int i = 0; i < 34; ++i) EXPECT_EQ(numbers[i], i + 1);

  ctx.run.options.firm_items = 0;
  ctx.run.options.entries_2019 = 0;
  ctx.run.options.module_items = 0;
  EXPECT_EQ(EnabledItems(ctx), (std::vector<int>{1, 7, 34}));

  // Families need the staff item too; the person list is reset regardless.
  ctx.run.options.firm_items = 0x4;
  EXPECT_EQ(EnabledItems(ctx), (std::vector<int>{1, 7, 34}));
  ctx.run.options.firm_items = 0x6;
  EXPECT_EQ(EnabledItems(ctx), (std::vector<int>{1, 7, 8, 9, 10, 34}));

  ctx.run.options.firm_items = 0;
  ctx.firm.use_2019_settings = true;
  ctx.run.extra_files = {"X.DAT"};
  ctx.run.options.module_items = 0x4;
  EXPECT_EQ(EnabledItems(ctx), (std::vector<int>{1, 2, 3, 4, 7, 18, 33, 34}));
}

TEST(TransferTable, LabelsWithoutLineEnd) {
  for (const TransferItem& item : TransferTable()) {
    bool open = item.number == 11 || item.number == 12;
    EXPECT_EQ(item.line_end, !open) << item.number;
  }
  EXPECT_EQ(TransferTable()[10].label, "PID-5 ");
  EXPECT_EQ(TransferTable()[11].label, "\"PIT-28\" ");
}

TEST(ChooseYearSource, OldYearFileNeedsTheSettingsOrTheUsersChoice) {
  struct Case {
    bool has2019;
    bool use2019;
    const char* key;  // answer to the overwrite question, if asked
    const char* want;
  };
  const Case cases[] = {
      {false, false, nullptr, "2018p5.13"},
      {true, true, nullptr, "2019p5.13"},
      {true, false, "w", "2018p5.13"},
      {true, false, "z", "2019p5.13"},
  };
  for (const Case& c : cases) {
    TestEnv env;
    Office office(env);
    office.WriteOld("F1", "2018p5.13", "old");
    if (c.has2019) office.WriteOld("F1", "2019p5.13", "new");
    BeginFirm(env.ctx, "F1");
    env.ctx.firm.use_2019_settings = c.use2019;
    if (c.key) env.console.Type(c.key);
    Text src = ChooseYearSource(env.ctx, "2019p5.13", "2018p5.13");
    EXPECT_EQ(src, env.ctx.firm.source_dir + "/" + c.want);
    EXPECT_EQ(env.console.pending(), 0u);
  }
}

}  // namespace
}  // namespace qz
