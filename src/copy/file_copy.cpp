#include "copy/file_copy.h"

#include <memory>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/file_tests.h"
#include "app/text_pass.h"
#include "copy/buffered_file.h"
#include "copy/copy_support.h"
#include "copy/text_file.h"
#include "text/cp852.h"

namespace qz {

using copy_detail::LogFailure;

namespace {

constexpr std::size_t kBlockSize = 2048;

uint8_t Upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

}  // namespace

bool AskOverwrite(Context& ctx, const Text& target) {
  int32_t& answer = ctx.copy.overwrite_answer;
  if (answer != 0) return answer == 1;
  ProgressLog& log = ctx.log;
  log.SetColour(12);
  log.Line("Stwierdzono obecność pliku "_cp + target);
  log.SetColour(14);
  log.Line(" W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]  "_cp);
  log.Line(" Z-zostaw plik                    [N-i wszystkie następne] ?"_cp);
  log.SetColour(15);
  log.Write("---->  Z(n)/W(a)"_cp);
  uint8_t key = 0;
  do {
    key = Upper(log.WaitKey());
  } while (key != 'A' && key != 'N' && key != 'W' && key != 'Z');
  log.SetColour(7);
  log.Line("");
  switch (key) {
    case 'A':
      answer = -1;
      return false;
    case 'N':
      answer = 1;
      return true;
    case 'W':
      return false;
    default:
      return true;
  }
}

void CopyTextFile(Context& ctx, const Text& src, const Text& dst, const LineFilter& filter) {
  if (FileSizeOf(ctx.fs, src) == 0) return;
  std::unique_ptr<TextReader> in;
  if (TextReader::Open(ctx.fs, src, &in) != dos::kOk) {
    LogFailure(ctx, "Błąd otwarcia pliku "_cp + src, true);
    return;
  }
  if (FileSizeOf(ctx.fs, dst) > 0 && AskOverwrite(ctx, dst)) {
    in->Close();
    return;
  }
  std::unique_ptr<TextWriter> out;
  if (TextWriter::Create(ctx.fs, dst, &out) != dos::kOk) {
    LogFailure(ctx, "Błąd utworzenia pliku "_cp + dst, true);
    in->Close();
    return;
  }
  ctx.log.SetColour(9);
  ctx.log.Line("Kopiuję plik "_cp + src);
  ctx.log.SetColour(7);

  Text line;
  bool write_failed = false;
  for (;;) {
    int err = in->ReadLine(&line);
    if (err == dos::kHandleEof) break;
    if (err != dos::kOk) {
      LogFailure(ctx, "Błąd odczytu z pliku "_cp + src, false);
      break;
    }
    line = PassText(line);
    bool keep = filter ? filter(line) : true;
    if (!keep) continue;
    // A filter may lengthen the line; the file keeps lines of at most 255.
    if (line.size() > kMaxTextLine) line.resize(kMaxTextLine);
    if (out->WriteLine(line) != dos::kOk) {
      write_failed = true;
      break;
    }
  }
  // Lines still in the buffer are written here; their failure is a write
  // failure like any other.
  if (!write_failed && out->Flush() != dos::kOk) write_failed = true;
  if (write_failed) LogFailure(ctx, "Błąd zapisu do pliku "_cp + dst, false);
  in->Close();
  out->Close();
}

void CopyWholeText(Context& ctx, const Text& src, const Text& dst) {
  CopyTextFile(ctx, src, dst, nullptr);
}

bool CopyBinaryFile(Context& ctx, const Text& src, const Text& dst, bool convert) {
  uint32_t size = FileSizeOf(ctx.fs, src);
  if (size == 0) return true;
  if (FileSizeOf(ctx.fs, dst) > 0 && AskOverwrite(ctx, dst)) return true;
  std::unique_ptr<File> in_file;
  if (ctx.fs.Open(src, Access::kRead, Sharing::kDenyNone, &in_file) != dos::kOk) {
    LogFailure(ctx, "Błąd otwarcia pliku "_cp + src, true);
    return false;
  }
  std::unique_ptr<File> out_file;
  if (ctx.fs.Create(dst, &out_file) != dos::kOk) {
    in_file->Close();
    LogFailure(ctx, "Błąd Utworzenia pliku "_cp + dst, true);
    return false;
  }
  ctx.log.SetColour(9);
  ctx.log.Line("Kopiuję "_cp + src + "  " + std::to_string(size) + " bytów..."_cp);
  ctx.log.SetColour(7);

  // Whole buffer loads are read and written at once; the block conversion
  // still sees one 2048-byte block at a time. A regular file gives less
  // than asked for only at its end, so the blocks are those of a copy that
  // reads 2048 bytes at a time.
  std::vector<uint8_t> chunk(kIoBufferSize);
  bool copied = true;
  for (;;) {
    std::size_t n = 0;
    if (in_file->Read(chunk.data(), chunk.size(), &n) != dos::kOk) {
      LogFailure(ctx, "Błąd odczytu danych"_cp, true);
      copied = false;
      break;
    }
    if (n == 0) break;
    if (convert) {
      for (std::size_t off = 0; off < n; off += kBlockSize) {
        std::size_t len = n - off < kBlockSize ? n - off : kBlockSize;
        NoBlockConversion(len, Bytes(chunk.data() + off, len));
      }
    }
    if (out_file->Write(chunk.data(), n) != dos::kOk) {
      LogFailure(ctx, "Błąd zapisu danych"_cp, true);
      copied = false;
      break;
    }
  }

  bool result = copied;
  if (in_file->Close() != dos::kOk) LogFailure(ctx, "Błąd zamknięcia zbioru "_cp + src, true);
  if (out_file->Close() != dos::kOk) {
    LogFailure(ctx, "Błąd zamknięcia zbioru "_cp + dst, true);
    result = false;
  }
  ctx.log.SlowPause();
  return result;
}

void CopyWholeBinary(Context& ctx, const Text& src, const Text& dst) {
  CopyBinaryFile(ctx, src, dst, true);
}

}  // namespace qz
