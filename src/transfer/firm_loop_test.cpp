#include "transfer/firm_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context.h"
#include "firms/detect_firms.h"
#include "firms/firm_list.h"
#include "platform/keys.h"
#include "support/fixture.h"
#include "support/test_env.h"

namespace qz {
namespace {

std::string FirmRec(const Text& name, const Text& dir, const Text& info) {
  std::string r(firm_list::kRecordSize, '\x33');  // bytes 67..102 travel unchanged
  Bytes b(reinterpret_cast<uint8_t*>(r.data()), r.size());
  PutText(b, firm_list::kNameOff, firm_list::kNameMax, name);
  PutText(b, firm_list::kDirOff, firm_list::kDirMax, dir);
  PutText(b, firm_list::kInfoOff, firm_list::kInfoMax, info);
  return r;
}

/// A small office of five firms, converted unattended: every wait for a key
/// is answered with Enter.
struct LoopTest : ::testing::Test {
  LoopTest() : office(env) {
    ctx.run.paths = env.ctx.run.paths;
    // Only the firm description among the optional items.
    ctx.run.options.firm_items = 0x0001;
    ctx.run.options.entries_2019 = 0;
    ctx.run.options.module_items = 0;
    for (const char* dir : {"F1", "F2", "F4", "F5"}) office.AddFirm(dir);
    office.WriteOld("F3", "_qz_rur.rek", std::string(256, 'm'));  // no annual settings
    env.WriteFile("old/SPISFIRM.DAT",
                  FirmRec("Zeta", "F1", "z") + FirmRec("Alfa", "F2", "a") +
                      FirmRec("Beta", "F3", "b") + FirmRec("Gamma", "F4", "g") +
                      FirmRec("Delta", "F5", "d"));
  }

  /// The detection, then firms F4 and F5 unticked.
  static bool ChooseThree(Context& c, FirmTable& table) {
    DetectFirms(c, table);
    for (int32_t i = 1; i <= table.count(); ++i) {
      FirmEntry* e = FirmAt(table, i);
      Text dir = FirmDir(e->record);
      e->selected = dir != "F4" && dir != "F5";
    }
    return true;
  }

  std::vector<Text> NewList() {
    std::string bytes = env.ReadFile("new/SPISFIRM.DAT");
    std::vector<Text> out;
    for (std::size_t off = 0; off + firm_list::kRecordSize <= bytes.size();
         off += firm_list::kRecordSize) {
      std::string rec = bytes.substr(off, firm_list::kRecordSize);
      EXPECT_EQ(rec.substr(67), std::string(36, '\x33'));
      ConstBytes b(reinterpret_cast<const uint8_t*>(rec.data()), rec.size());
      out.push_back(FirmName(b) + "/" + FirmDir(b) + "/" + FirmInfo(b));
    }
    return out;
  }

  TestEnv env;
  fixture::Office office;
  fixture::AnsweringConsole console{key::kEnter};
  Platform platform{env.fs, console, env.clock, env.process};
  Context ctx{platform};
};

TEST_F(LoopTest, ChosenFirmsThatConvertEnterTheNewListInKeyOrder) {
  RunFirmTransfers(ctx, ChooseThree);
  // "Beta" has no annual settings: converted no further and not entered.
  EXPECT_EQ(NewList(), (std::vector<Text>{"Alfa/F2/a", "Zeta/F1/z"}));
  EXPECT_TRUE(office.NewExists("F1", "_qz_rur.rek"));
  EXPECT_TRUE(office.NewExists("F2", "FIRMATXT.INI"));
  EXPECT_FALSE(env.Exists("new/F4"));
  EXPECT_FALSE(env.Exists("new/F5"));
}

TEST_F(LoopTest, FirmsAreAddedToAnExistingListAfterEqualKeys) {
  env.WriteFile("new/SPISFIRM.DAT", FirmRec("Alfa", "F2", "a") + FirmRec("Omega", "X", "o"));
  RunFirmTransfers(ctx, ChooseThree);
  EXPECT_EQ(NewList(), (std::vector<Text>{"Alfa/F2/a", "Alfa/F2/a", "Omega/X/o", "Zeta/F1/z"}));
}

TEST_F(LoopTest, NoFirmIsConvertedWhenTheNewListCannotBeOpened) {
  env.WriteFile("new/SPISFIRM.DAT/x", "");  // a directory where the list should be
  RunFirmTransfers(ctx, ChooseThree);
  EXPECT_FALSE(env.Exists("new/F1"));
  EXPECT_FALSE(env.Exists("new/F2"));
  EXPECT_GE(console.answers(), 1);  // the error box was shown and answered
}

TEST_F(LoopTest, NothingHappensWhenTheChoiceIsLeft) {
  RunFirmTransfers(ctx, [](Context& c, FirmTable& table) {
    DetectFirms(c, table);
    return false;
  });
  EXPECT_FALSE(env.Exists("new/SPISFIRM.DAT"));
  EXPECT_FALSE(env.Exists("new/F1"));
}

}  // namespace
}  // namespace qz
