#include "transfer/module_data.h"

#include <memory>
#include <vector>

#include "app/context.h"
#include "app/file_tests.h"
#include "copy/file_copy.h"
#include "copy/record_copy.h"
#include "text/cp852.h"
#include "text/polish.h"
#include "transfer/firm_files.h"
#include "transfer/record_moves.h"

namespace qz {

namespace {

constexpr FieldMove kAssetBaseListTexts[] = {Pass(0, 50), Pass(64, 50)};
constexpr std::size_t kAssetBaseNameOffset = 51;
constexpr std::size_t kAssetBaseNameMax = 12;
constexpr uint16_t kAssetBaseListSize = 367;

constexpr FieldMove kAssetConfigTexts[] = {Pass(0, 40),   Pass(41, 40),   Pass(82, 40),
                                           Pass(151, 20), Pass(172, 30), Pass(1272, 30)};

constexpr FieldMove kAssetRecordTexts[] = {
    Pass(4, 60),     Pass(65, 60),    Pass(126, 30),   Pass(157, 30),   Pass(192, 60),
    Pass(253, 60),   Pass(314, 60),   Pass(543, 30),   Pass(578, 60),   Pass(639, 60),
    Pass(700, 60),   Pass(761, 60),   Pass(822, 60),   Pass(883, 60),   Pass(944, 60),
    Pass(1305, 60),  Pass(1366, 60),  Pass(1427, 60),  Pass(1488, 60),  Pass(1579, 60),
    Pass(1640, 60),  Pass(1701, 60),  Pass(1762, 20),  Pass(1783, 60),  Pass(39143, 15),
    Pass(39159, 18)};
// The period text of year Y (1985..2020) and month M (1..12) lies at
// 2075 + 1020 (Y - 1985) + 85 (M - 1).
constexpr FieldMove kAssetPeriodText[] = {Pass(2075, 30)};
constexpr int kAssetPeriodYears = 2020 - 1985 + 1;

constexpr FieldMove kMileageConfigTexts[] = {Pass(58, 40), Pass(99, 40), Pass(140, 40),
                                             Pass(337, 10)};
constexpr FieldMove kMileageAddressTexts[] = {
    Pass(4, 40),   Pass(45, 40),  Pass(127, 37), Pass(219, 20), Pass(240, 30), Pass(271, 20),
    Pass(292, 20), Pass(313, 30), Pass(344, 30), Pass(375, 40), Pass(416, 40)};
constexpr FieldMove kMileageCarTexts[] = {Pass(4, 12), Pass(17, 35), Pass(69, 40), Pass(110, 40)};
constexpr FieldMove kMileageKstTexts[] = {Pass(6, 20),   Pass(31, 40),  Pass(72, 40),
                                          Pass(141, 20), Pass(162, 30), Pass(193, 50)};
constexpr FieldMove kMileageWyjTexts[] = {Pass(24, 35), Pass(60, 35)};

// One group of the mileage log's "_2019" folder: every file matching
// `pattern` is copied record by record; the target folder is made before
// the first file of either group.
void CopyFolderGroup(Context& ctx, const Text& pattern, uint16_t rec_size, const RecordHook& hook,
                     bool* folder_pending) {
  const Text folder = "_2019";
  Text source_folder = SourceFile(ctx, folder);
  Text target_folder = TargetFile(ctx, folder);
  std::vector<DirEntry> found;
  if (ctx.fs.Find(source_folder + kPathSep + pattern, attr::kAnyFile, &found) != dos::kOk) return;
  for (const DirEntry& e : found) {
    if (e.attributes & attr::kDirectory) continue;
    if (*folder_pending) {
      if (!DirExists(ctx.fs, target_folder) && ctx.fs.MakeDir(target_folder) != dos::kOk) {
        ctx.log.Line("Błąd utworzenia folderu "_cp + target_folder);
        return;
      }
      *folder_pending = false;
    }
    CopyRecords(ctx, source_folder + kPathSep + e.name, target_folder + kPathSep + e.name,
                rec_size, hook);
  }
}

}  // namespace

bool AssetBaseListTextHook(Bytes rec) {
  PassTextsInPlace(rec, kAssetBaseListTexts);
  return true;
}

bool AssetConfigTextHook(Bytes rec) {
  PassTextsInPlace(rec, kAssetConfigTexts);
  return true;
}

bool AssetRecordTextHook(Bytes rec) {
  PassTextsInPlace(rec, kAssetRecordTexts);
  for (int y = 0; y < kAssetPeriodYears; ++y) {
    for (int m = 0; m < 12; ++m) PassTextsInPlace(rec, kAssetPeriodText, 1020 * y + 85 * m);
  }
  return true;
}

bool MileageConfigTextHook(Bytes rec) {
  PassTextsInPlace(rec, kMileageConfigTexts);
  return true;
}

bool MileageAddressTextHook(Bytes rec) {
  PassTextsInPlace(rec, kMileageAddressTexts);
  return true;
}

bool MileageCarTextHook(Bytes rec) {
  PassTextsInPlace(rec, kMileageCarTexts);
  return true;
}

bool MileageKstTextHook(Bytes rec) {
  PassTextsInPlace(rec, kMileageKstTexts);
  return true;
}

bool MileageWyjTextHook(Bytes rec) {
  PassTextsInPlace(rec, kMileageWyjTexts);
  return true;
}

void CopyAssetBases(Context& ctx) {
  Text list = SourceFile(ctx, "stbazy.rek");
  if (FileSizeOf(ctx.fs, list) == 0) return;
  std::unique_ptr<File> f;
  if (ctx.fs.Open(list, Access::kRead, Sharing::kDenyNone, &f) != dos::kOk) return;
  uint64_t size = 0;
  if (f->Size(&size) != dos::kOk) {
    f->Close();
    return;
  }
  std::vector<uint8_t> rec(kAssetBaseListSize);
  for (uint64_t i = 0; i < size / kAssetBaseListSize; ++i) {
    std::size_t got = 0;
    if (f->Read(rec.data(), rec.size(), &got) != dos::kOk || got != rec.size()) break;
    Text base = GetText(rec, kAssetBaseNameOffset, kAssetBaseNameMax);
    if (UpperPL(base) == "SRODKI") continue;
    // The name becomes a path: it must not lead outside the firm's directory.
    if (!IsPlainFileName(base)) {
      LogBadFileName(ctx, base);
      continue;
    }
    CopyRecords(ctx, SourceFile(ctx, base + ".REK"), TargetFile(ctx, base + ".REK"),
                kAssetRecordSize, AssetRecordTextHook);
  }
  f->Close();
}

void CopyAssetModule(Context& ctx) {
  CopyTextFile(ctx, SourceFile(ctx, "dokument.rek"), TargetFile(ctx, "dokument.rek"), nullptr);
  CopyRecords(ctx, SourceFile(ctx, "srodki.rek"), TargetFile(ctx, "srodki.rek"), kAssetRecordSize,
              AssetRecordTextHook);
  CopyRecords(ctx, SourceFile(ctx, "wyposaz.rek"), TargetFile(ctx, "wyposaz.rek"),
              kAssetRecordSize, AssetRecordTextHook);
  CopyRecords(ctx, SourceFile(ctx, "st.cnf"), TargetFile(ctx, "st.cnf"), 3837, AssetConfigTextHook);
  CopyRecords(ctx, SourceFile(ctx, "stbazy.rek"), TargetFile(ctx, "stbazy.rek"), kAssetBaseListSize,
              AssetBaseListTextHook);
  CopyAssetBases(ctx);
}

void CopyMileageTrion(Context& ctx) {
  for (const char* pattern : {"*.cel", "cel*.rek", "*.trs", "tras*.rek"}) {
    CopyMatchingFiles(ctx, pattern, true);
  }
  CopyRecords(ctx, SourceFile(ctx, "km.cnf"), TargetFile(ctx, "km.cnf"), 2395,
              MileageConfigTextHook);
  CopyRecords(ctx, SourceFile(ctx, "adresy.rek"), TargetFile(ctx, "adresy.rek"), 557,
              MileageAddressTextHook);
  CopyRecords(ctx, SourceFile(ctx, "samochod.rek"), TargetFile(ctx, "samochod.rek"), 704,
              MileageCarTextHook);
  bool folder_pending = true;
  CopyFolderGroup(ctx, "*.kst", 572, MileageKstTextHook, &folder_pending);
  CopyFolderGroup(ctx, "*.wyj", 128, MileageWyjTextHook, &folder_pending);
}

void CopyMileageQz(Context& ctx) {
  CopyMatchingFiles(ctx, "km__*.rek", false);
  CopyMatchingFiles(ctx, "km19*.rek", false);
}

}  // namespace qz

