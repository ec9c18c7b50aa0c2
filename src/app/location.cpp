#include "app/location.h"

#include <memory>

#include "app/context.h"
#include "app/exit.h"
#include "copy/text_file.h"
#include "text/cp852.h"

namespace qz {

namespace {

constexpr std::size_t kExtraFileNameMax = 25;

}  // namespace

void SetProgramLocation(const Text& program_path, YearPaths* paths) {
  // Only a "." within the file name starts an extension: a program without
  // one, in a directory whose name holds a dot, keeps its whole name.
  std::size_t sep = program_path.rfind(kPathSep);
  std::size_t name_start = sep == Text::npos ? 0 : sep + 1;
  std::size_t dot = program_path.rfind('.');
  paths->program_base =
      dot != Text::npos && dot >= name_start ? program_path.substr(0, dot) : program_path;
  paths->program_dir = sep == Text::npos ? Text() : program_path.substr(0, sep + 1);
}

Text ExtraFileListName(const YearPaths& paths) { return paths.program_base + ".LST"; }

Text LocationFileName(const YearPaths& paths) { return paths.program_base + ".PTH"; }

void ShowUsage(Context& ctx) {
  const Text lines[] = {
      "Program do kopiowania wybranych danych do nowego RUR_QZ."_cp,
      "z wersji VO980 (2018) na DO990 (2019)"_cp,
      Text(70, '\xC4'),
      Text(),
      "Uruchom qz18-19 [Katalog_danych_,2019]"_cp,
      "gdzie:"_cp,
      "Katalog danych - lokalizacja istniejącego katalogu na rok 2019"_cp,
      "Katalogu w którym jest program qz18-19.EXE można umieścić"_cp,
      "plik o nazwie qz18-19.LST w którym można w kolejnych wierszach"_cp,
      "wpisać nazwy plików, jakie będą automatycznie kopiowane z katalogu"_cp,
      "danych firmy na rok nastepny"_cp,
      Text(),
  };
  for (const Text& line : lines) ctx.console.PrintLine(line);
  ctx.log.WaitKey();
  throw ExitRequest{0};
}

void ReadExtraFileList(Context& ctx) {
  std::unique_ptr<TextReader> reader;
  if (TextReader::Open(ctx.fs, ExtraFileListName(ctx.run.paths), &reader) != dos::kOk) return;
  Text line;
  // A read error repeats on every later call, so it ends the loop too.
  while (reader->ReadLine(&line) == dos::kOk) {
    ctx.run.extra_files.push_back(line.substr(0, kExtraFileNameMax));
  }
  reader->Close();
}

void ReadLocationFile(Context& ctx) {
  std::unique_ptr<TextReader> reader;
  if (TextReader::Open(ctx.fs, LocationFileName(ctx.run.paths), &reader) != dos::kOk) return;
  const TextView kSourceKey = "RUR_2018=";
  const TextView kTargetKey = "RUR_2019=";
  Text line;
  while (reader->ReadLine(&line) == dos::kOk) {
    if (line.starts_with(kSourceKey)) {
      ctx.run.paths.source_root = line.substr(kSourceKey.size()) + kPathSep;
    } else if (line.starts_with(kTargetKey)) {
      ctx.run.paths.target_root = line.substr(kTargetKey.size()) + kPathSep;
    }
  }
  reader->Close();
}

int WriteLocationFile(Context& ctx) {
  auto without_last = [](const Text& dir) { return dir.empty() ? dir : dir.substr(0, dir.size() - 1); };
  std::unique_ptr<TextWriter> writer;
  int rc = TextWriter::Create(ctx.fs, LocationFileName(ctx.run.paths), &writer);
  if (rc != dos::kOk) return rc;
  rc = writer->WriteLine("[PATHS]");
  if (rc == dos::kOk) rc = writer->WriteLine("RUR_2018=" + without_last(ctx.run.paths.source_root));
  if (rc == dos::kOk) rc = writer->WriteLine("RUR_2019=" + without_last(ctx.run.paths.target_root));
  int close_rc = writer->Close();
  return rc != dos::kOk ? rc : close_rc;
}

}  // namespace qz
