#include "transfer/firm_files.h"

#include <string>

#include <gtest/gtest.h>

#include "app/context.h"
#include "support/fixture.h"
#include "support/test_env.h"
#include "transfer/convert_firm.h"

namespace qz {
namespace {

using fixture::Office;
using fixture::ScreenText;

struct FirmFilesTest : ::testing::Test {
  FirmFilesTest() {
    env.WriteFile("new/F1/.keep", "");
    BeginFirm(env.ctx, "F1");
  }
  bool Shows(const std::string& text) { return ScreenText(env).find(text) != std::string::npos; }

  TestEnv env;
  Office office{env};
};

TEST_F(FirmFilesTest, NamedFileKeepsOrChangesItsName) {
  office.WriteOld("F1", "A.DAT", "alpha");
  office.WriteOld("F1", "C.DAT", "gamma");
  CopyNamedFile(env.ctx, "A.DAT>B.DAT", false);
  CopyNamedFile(env.ctx, "C.DAT", false);
  EXPECT_EQ(office.ReadNew("F1", "B.DAT"), "alpha");
  EXPECT_FALSE(office.NewExists("F1", "A.DAT"));
  EXPECT_EQ(office.ReadNew("F1", "C.DAT"), "gamma");
}

TEST_F(FirmFilesTest, NamesLeavingTheFirmDirectoryAreRefused) {
  office.WriteOld("F1", "A.DAT", "alpha");
  env.WriteFile("old/secret.txt", "not for the new year");
  const char* entries[] = {"../secret.txt", "A.DAT>../evil.txt", "A.DAT>sub/x", "A.DAT>sub\\x",
                         "C:A.DAT",       "A.DAT>",            ".",           "..",
                         ">A.DAT"};
  for (const char* entry : entries) {
    SCOPED_TRACE(entry);
    env.ctx.log.Clear(true);
    CopyNamedFile(env.ctx, entry, false);
    EXPECT_TRUE(Shows("Niepoprawna nazwa pliku ")) << ScreenText(env);
  }
  EXPECT_FALSE(env.Exists("new/secret.txt"));
  EXPECT_FALSE(env.Exists("new/evil.txt"));
  EXPECT_FALSE(env.Exists("new/F1/sub"));
  EXPECT_EQ(env.fs.calls(FsOp::kCreate), 0);
}

TEST_F(FirmFilesTest, HideConvertedRenamesOnlyWhenAskedAndNeverReplaces) {
  Text name = env.ctx.firm.source_dir + "/2019K880.3";
  office.WriteOld("F1", "2019K880.3", "march");
  HideConvertedFile(env.ctx, name);
  EXPECT_TRUE(office.OldExists("F1", "2019K880.3"));
  EXPECT_FALSE(Shows("nazwy pliku"));

  env.ctx.run.options.hide_converted = true;
  HideConvertedFile(env.ctx, name);
  EXPECT_FALSE(office.OldExists("F1", "2019K880.3"));
  EXPECT_EQ(office.ReadOld("F1", "2019K880.3~"), "march");
  // The row is cut at column 79, long before the end of a full path.
  EXPECT_TRUE(Shows(("Zmiana nazwy pliku " + name).substr(0, 60)));

  office.WriteOld("F1", "2019K880.3", "march again");
  HideConvertedFile(env.ctx, name);
  EXPECT_TRUE(Shows(("Błąd zmiany nazwy pliku " + name).substr(0, 60)));
  EXPECT_EQ(office.ReadOld("F1", "2019K880.3"), "march again");
  EXPECT_EQ(office.ReadOld("F1", "2019K880.3~"), "march");
}

TEST_F(FirmFilesTest, MatchingFilesAreCopiedUnderTheirNames) {
  office.WriteOld("F1", "km__a.rek", "1");
  office.WriteOld("F1", "km__b.rek", "22");
  office.WriteOld("F1", "kmx.rek", "333");
  CopyMatchingFiles(env.ctx, "km__*.rek", false);
  EXPECT_EQ(office.ReadNew("F1", "km__a.rek"), "1");
  EXPECT_EQ(office.ReadNew("F1", "km__b.rek"), "22");
  EXPECT_FALSE(office.NewExists("F1", "kmx.rek"));
}

}  // namespace
}  // namespace qz
