#include "firms/detect_firms.h"

#include <memory>

#include "app/context.h"
#include "app/exit.h"
#include "app/file_tests.h"
#include "sharedfile/box_text.h"
#include "sharedfile/file_mode.h"
#include "text/cp852.h"
#include "ui/message_box.h"

namespace qz {

namespace {

/// Exit code of a run that cannot go on because its input is unusable.
constexpr int kFatalExit = 1;

}  // namespace

void DetectFirms(Context& ctx, FirmTable& table) {
  const YearPaths& paths = ctx.run.paths;
  const Text& list_name = ctx.firms.list_name;
  table.Clear();
  ctx.log.Clear(false);
  ctx.log.Line("ROZPOZNANIE ŚRODOWISKA PRACY RUR 2018"_cp);
  ctx.log.Line("");

  // Exclusive: nobody may change the list while it is read.
  const Text list_path = paths.source_root + list_name;
  std::unique_ptr<File> file;
  SetFileMode(ctx, open_mode::kRead | open_mode::kExclusive);
  int err = OpenInFileMode(ctx, list_path, &file);
  RestoreFileMode(ctx);
  if (err != dos::kOk) {
    ctx.log.Line("Błąd otwarcia/dostępu do pliku "_cp + list_path);
    ErrorBox(ctx.ui, BoxText({Centred("Brak dostępu do pliku"_cp), Centred(list_path)}));
    throw ExitRequest{kFatalExit};
  }

  uint64_t size = 0;
  if (file->Size(&size) != dos::kOk) {
    ctx.log.Line("Błąd okreslenia długości pliku "_cp + list_name);
    file->Close();
    ctx.log.WaitKey();
    throw ExitRequest{kFatalExit};
  }
  const uint64_t records = size / firm_list::kRecordSize;
  if (records == 0) {
    ctx.log.Line("Zerowa długość pliku "_cp + list_name);
    file->Close();
    ctx.log.WaitKey();
    throw ExitRequest{kFatalExit};
  }

  bool repair = false;
  FirmListRecord rec{};
  for (uint64_t number = 1; number <= records; ++number) {
    if (table.full()) {
      ctx.log.Line("Przekroczona maksymalna ilość firm "_cp + std::to_string(FirmTable::kMaxFirms));
      break;
    }
    // Each record is sought by its number, so one bad read cannot shift
    // the records after it.
    std::size_t got = 0;
    err = file->Seek((number - 1) * firm_list::kRecordSize);
    if (err == dos::kOk) err = file->Read(rec.data(), rec.size(), &got);
    if (err != dos::kOk || got != rec.size()) {
      ctx.log.Line("Błąd odczytu rekordu "_cp + std::to_string(number));
      continue;
    }
    const Text dir = FirmDir(rec);
    const Text name = FirmName(rec);
    if (!IsPlainDirName(dir)) {
      ctx.log.Line("Niepoprawny katalog " + dir + " dla firmy " + name);
      repair = true;
    } else if (DirExists(ctx.fs, paths.target_root + dir)) {
      ctx.log.Line("Odnaleziono katalog docelowy " + dir + " dla firmy " + name);
    } else if (!DirExists(ctx.fs, paths.source_root + dir)) {
      ctx.log.Line("Brak katalogu zródłowego    "_cp + dir + " dla firmy " + name);
      repair = true;
    } else {
      table.Add(rec);
    }
  }
  file->Close();

  if (table.count() == 0) {
    ctx.log.Line("Zerowa ilość odczytanych firm"_cp);
    ctx.log.WaitKey();
  }
  if (repair) {
    ctx.log.Line("Napraw plik " + list_name + " !");
    ctx.log.WaitKey();
  }
}

}  // namespace qz
