#include "copy/record_copy.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/file_tests.h"
#include "app/text_pass.h"
#include "copy/buffered_file.h"
#include "copy/copy_support.h"
#include "copy/file_copy.h"
#include "text/cp852.h"

namespace qz {

using copy_detail::LogFailure;

namespace {

/// The open source and target of one record copy.
struct RecordFiles {
  std::unique_ptr<File> src;
  std::unique_ptr<File> dst;
};

enum class Start { kCopy, kNothingToDo, kFailed };

/// Everything before the first record: the missing-source line, the
/// question about an existing target (or appending to it), opening both
/// files and the "Kopiuje" line. On `kCopy` both files are open.
Start OpenRecordFiles(Context& ctx, const Text& src, const Text& dst, uint16_t src_size,
                      bool pause_after_title, RecordFiles* files) {
  uint32_t size = FileSizeOf(ctx.fs, src);
  if (size == 0) {
    ctx.log.SetColour(14);
    ctx.log.Line("Brak pliku źródłowego "_cp + src);
    ctx.log.SetColour(7);
    ctx.log.SlowPause();
    return Start::kNothingToDo;
  }
  bool append = false;
  if (FileSizeOf(ctx.fs, dst) > 0) {
    if (ctx.copy.append_to_target) {
      append = true;
    } else if (AskOverwrite(ctx, dst)) {
      return Start::kFailed;
    }
  }
  if (ctx.fs.Open(src, Access::kRead, Sharing::kDenyNone, &files->src) != dos::kOk) {
    LogFailure(ctx, "Błąd otwarcia pliku "_cp + src, true);
    return Start::kFailed;
  }
  int err = dos::kOk;
  if (append) {
    err = ctx.fs.Open(dst, Access::kReadWrite, Sharing::kDenyWrite, &files->dst);
    uint64_t end = 0;
    if (err == dos::kOk) err = files->dst->Size(&end);
    if (err == dos::kOk) err = files->dst->Seek(end);
    if (err != dos::kOk && files->dst) {
      files->dst->Close();
      files->dst.reset();
    }
  } else {
    err = ctx.fs.Create(dst, &files->dst);
  }
  if (err != dos::kOk) {
    files->src->Close();
    LogFailure(ctx, "Błąd Utworzenia pliku "_cp + dst, true);
    return Start::kFailed;
  }
  // A record size of 0 announces no records rather than dividing by zero.
  uint32_t count = src_size > 0 ? size / src_size : 0;
  ctx.log.SetColour(9);
  ctx.log.Line("Kopiuje "_cp + src + "  " + std::to_string(count) + " pozycji ..."_cp);
  if (pause_after_title) ctx.log.SlowPause();
  ctx.log.SetColour(7);
  return Start::kCopy;
}

/// Everything after the last record: the buffered rest of the target is
/// written, both files are closed and their errors logged. The result is
/// true when the whole source reached a target that closed without error.
bool FinishRecordCopy(Context& ctx, const Text& src, const Text& dst, RecordFiles& files,
                      BufferedWriter& out, bool copied, bool write_failed) {
  if (!write_failed && out.Flush() != dos::kOk) write_failed = true;
  if (write_failed) {
    LogFailure(ctx, "Błąd zapisu danych"_cp, true);
    copied = false;
  }
  bool result = copied;
  if (files.src->Close() != dos::kOk) LogFailure(ctx, "Błąd zamknięcia zbioru "_cp + src, true);
  if (out.Close() != dos::kOk) {
    LogFailure(ctx, "Błąd zamknięcia zbioru "_cp + dst, true);
    result = false;
  }
  ctx.log.SlowPause();
  return result;
}

}  // namespace

bool CopyRecords(Context& ctx, const Text& src, const Text& dst, uint16_t rec_size,
                 const RecordHook& hook) {
  int32_t& counter = ctx.copy.record_counter;
  counter = 1;
  RecordFiles files;
  switch (OpenRecordFiles(ctx, src, dst, rec_size, false, &files)) {
    case Start::kNothingToDo:
      return true;
    case Start::kFailed:
      return false;
    case Start::kCopy:
      break;
  }
  std::vector<uint8_t> record(rec_size);
  BufferedReader in(*files.src);
  BufferedWriter out(*files.dst);
  bool copied = true;
  bool write_failed = false;
  // A record size of 0 reads nothing, so the loop ends at once.
  for (;;) {
    std::size_t n = 0;
    int err = in.Read(record.data(), record.size(), &n);
    ++counter;
    if (err != dos::kOk) {
      LogFailure(ctx, "Błąd odczytu danych"_cp, true);
      copied = false;
      break;
    }
    if (n == 0) break;
    // The hook sees the whole record buffer; of a short last record only
    // the bytes read are written.
    if (hook) {
      if (!hook(Bytes(record))) continue;
    } else {
      NoBlockConversion(n, Bytes(record));
    }
    err = out.Write(record.data(), n);
    ++counter;
    if (err != dos::kOk) {
      write_failed = true;
      break;
    }
  }
  return FinishRecordCopy(ctx, src, dst, files, out, copied, write_failed);
}

bool ConvertRecords(Context& ctx, const Text& src, const Text& dst, uint16_t src_size,
                    uint16_t dst_size, const RecordConverter& conv) {
  RecordFiles files;
  switch (OpenRecordFiles(ctx, src, dst, src_size, true, &files)) {
    case Start::kNothingToDo:
      return true;
    case Start::kFailed:
      return false;
    case Start::kCopy:
      break;
  }
  std::vector<uint8_t> input(src_size);
  std::vector<uint8_t> output(dst_size);
  BufferedReader in(*files.src);
  BufferedWriter out(*files.dst);
  bool copied = true;
  bool write_failed = false;
  for (;;) {
    // The record is seen where it lies in the read buffer when it can be;
    // `input` holds it when it spans two buffer loads or is short.
    ConstBytes record;
    if (in.ReadView(input.size(), input.data(), &record) != dos::kOk) {
      LogFailure(ctx, "Błąd odczytu danych"_cp, true);
      copied = false;
      break;
    }
    std::size_t n = record.size();
    if (n == 0) break;
    if (n < input.size()) {
      // A short last record is padded with zeros: the converter must not
      // see the end of the previous record as if it belonged to this one.
      std::fill(input.begin() + static_cast<std::ptrdiff_t>(n), input.end(), 0);
      record = ConstBytes(input);
    }
    if (!conv || !conv(record, Bytes(output))) continue;
    if (out.Write(output.data(), output.size()) != dos::kOk) {
      write_failed = true;
      break;
    }
  }
  return FinishRecordCopy(ctx, src, dst, files, out, copied, write_failed);
}

bool CopyAddressRecord(ConstBytes in, Bytes out) {
  constexpr std::size_t kAddressRecord = 224;
  CopyBytes(out, 0, in, 0, kAddressRecord);
  return true;
}

}  // namespace qz
