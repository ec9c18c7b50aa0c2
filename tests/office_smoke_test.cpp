// A whole run of the program on a small generated office with the key
// script of the benchmark: the office asks no unforeseen question, and
// every firm arrives converted in the new installation.

#include <filesystem>

#include <gtest/gtest.h>

#include "support/office_generator.h"
#include "support/office_run.h"
#include "support/test_env.h"

namespace qz::fixture {
namespace {

namespace fs = std::filesystem;

TEST(OfficeSmokeTest, SmallOfficeRunsThroughWithTheBenchmarkKeys) {
  TempDir dir;
  const std::string old_root = dir.native() + "/RUR_2018";
  const std::string new_root = dir.native() + "/RUR_2019";
  const std::string bin = dir.native() + "/BIN";
  fs::create_directories(new_root);
  fs::create_directories(bin);
  OfficeSize size = OfficeSize::Scaled(0.01);
  OfficeTotals totals = WriteOffice(old_root, size);
  ASSERT_EQ(totals.firms, 3);
  ASSERT_EQ(size.big_firms, 1);

  OfficeRun run = RunOfficeHeadless(old_root, new_root, bin);
  ASSERT_TRUE(run.finished) << run.error << "\n" << run.screen;
  EXPECT_EQ(run.exit_code, 0);

  // Every firm entered in the new firm list, its ledger converted month by
  // month (1024-byte entries) and its wages in the new layout.
  EXPECT_EQ(fs::file_size(new_root + "/SPISFIRM.DAT"), 3u * 103);
  for (int n = 1; n <= totals.firms; ++n) {
    const std::string firm = new_root + "/" + OfficeFirmDir(n);
    const uint64_t entries = static_cast<uint64_t>(
        n <= size.big_firms ? size.big_entries_per_month : size.entries_per_month);
    for (int m = 1; m <= 12; ++m) {
      const std::string ledger = firm + "/2019K990." + std::to_string(m);
      ASSERT_TRUE(fs::exists(ledger)) << ledger;
      EXPECT_EQ(fs::file_size(ledger), entries * 1024) << ledger;
    }
    EXPECT_EQ(fs::file_size(firm + "/2019_ROK.REK"), 3u * 512);
    EXPECT_EQ(fs::file_size(firm + "/DANE_PR8.REK"), static_cast<uint64_t>(size.staff) * 2048);
    EXPECT_EQ(fs::file_size(firm + "/2019WP5.REK"),
              static_cast<uint64_t>(size.wage_records) * 26624);
  }
  EXPECT_TRUE(fs::exists(new_root + "/#BIN990/baza_ad8.rek"));
}

}  // namespace
}  // namespace qz::fixture
