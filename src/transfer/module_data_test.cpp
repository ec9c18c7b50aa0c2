#include "transfer/module_data.h"

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

struct ModuleTest : ::testing::Test {
  ModuleTest() {
    env.WriteFile("new/F1/.keep", "");
    BeginFirm(env.ctx, "F1");
  }
  bool Shows(const std::string& text) { return ScreenText(env).find(text) != std::string::npos; }

  TestEnv env;
  Office office{env};
};

// An asset record whose texts are within their maximum, with a few bytes
// outside every text set.
Record AssetRecord() {
  Record r(kAssetRecordSize);
  return r.U8(0, 0x55).Str(65, 60, "Tokarka").Str(2075, 30, "styczeń 1985").U8(39770, 0xAA);
}

Record BaseListEntry(const std::string& name) {
  Record r = PatternRecord(367, 8);
  return r.Str(0, 50, "Opis bazy").Str(51, 12, name).Str(64, 50, "Uwagi");
}

TEST_F(ModuleTest, FurtherAssetBasesAreCopiedWithTheAssetHook) {
  office.WriteOldRecords("F1", "stbazy.rek",
                         {BaseListEntry("srodki"), BaseListEntry("MASZYNY"),
                          BaseListEntry("../POZA"), BaseListEntry("C:BAZA")});
  Record asset = AssetRecord();
  asset.U8(4, 61);  // over-long name: cut by the hook
  office.WriteOldRecords("F1", "srodki.rek", {asset});
  office.WriteOldRecords("F1", "MASZYNY.REK", {asset});
  env.WriteFile("old/POZA.REK", asset.str_bytes());

  CopyAssetBases(env.ctx);

  EXPECT_FALSE(office.NewExists("F1", "srodki.rek"));
  std::vector<Record> out = office.ReadNewRecords("F1", "MASZYNY.REK", kAssetRecordSize);
  ASSERT_EQ(out.size(), 1u);
  Record want = asset;
  want.U8(4, 60);
  EXPECT_TRUE(out[0] == want);
  EXPECT_FALSE(env.Exists("new/POZA.REK"));
  EXPECT_TRUE(Shows("Niepoprawna nazwa pliku ../POZA"));
  EXPECT_TRUE(Shows("Niepoprawna nazwa pliku C:BAZA"));
}

TEST_F(ModuleTest, AssetModuleCarriesItsFilesAndBases) {
  office.WriteOld("F1", "dokument.rek", "linia 1\r\nlinia 2\r\n");
  office.WriteOldRecords("F1", "wyposaz.rek", {AssetRecord(), AssetRecord()});
  office.WriteOldRecords("F1", "stbazy.rek", {BaseListEntry("MASZYNY")});
  office.WriteOldRecords("F1", "MASZYNY.REK", {AssetRecord()});
  CopyAssetModule(env.ctx);
  EXPECT_EQ(office.ReadNew("F1", "dokument.rek"), "linia 1\r\nlinia 2\r\n");
  EXPECT_TRUE(office.ReadNew("F1", "wyposaz.rek") == office.ReadOld("F1", "wyposaz.rek"));
  EXPECT_TRUE(office.ReadNew("F1", "stbazy.rek") == office.ReadOld("F1", "stbazy.rek"));
  EXPECT_TRUE(office.ReadNew("F1", "MASZYNY.REK") == office.ReadOld("F1", "MASZYNY.REK"));
}

TEST_F(ModuleTest, FolderIsMadeBeforeTheFirstFileOfEitherGroup) {
  Record wyj = PatternRecord(128, 3);
  wyj.U8(24, 36).U8(60, 35);
  office.WriteOldRecords("F1", "_2019/trasa.wyj", {wyj});
  CopyMileageTrion(env.ctx);
  std::vector<Record> out = office.ReadNewRecords("F1", "_2019/trasa.wyj", 128);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].u8(24), 35);
  EXPECT_EQ(env.fs.calls(FsOp::kMakeDir), 1);
}

TEST_F(ModuleTest, FolderThatCannotBeMadeIsReportedPerGroup) {
  office.WriteOldRecords("F1", "_2019/a.kst", {PatternRecord(572, 1)});
  office.WriteOldRecords("F1", "_2019/b.wyj", {PatternRecord(128, 1)});
  env.fs.FailFrom(FsOp::kMakeDir, 1, dos::kAccessDenied);
  CopyMileageTrion(env.ctx);
  env.fs.Clear();
  EXPECT_FALSE(office.NewExists("F1", "_2019"));
  EXPECT_EQ(env.fs.calls(FsOp::kMakeDir), 2);  // the second group tries again
  EXPECT_TRUE(Shows("Błąd utworzenia folderu "));
}

TEST_F(ModuleTest, GroupsWithoutFilesMakeNoFolder) {
  CopyMileageTrion(env.ctx);
  CopyMileageQz(env.ctx);
  EXPECT_FALSE(office.NewExists("F1", "_2019"));
  EXPECT_EQ(env.fs.calls(FsOp::kCreate), 0);
}

}  // namespace
}  // namespace qz
