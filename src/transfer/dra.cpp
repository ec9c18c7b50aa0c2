#include "transfer/dra.h"

#include <memory>
#include <vector>

#include "app/context.h"
#include "text/cp852.h"
#include "text/format.h"
#include "transfer/firm_files.h"

namespace qz {

namespace {

// Reads up to `n` bytes; false on an error or a short read.
bool ReadFull(File& f, uint8_t* buf, std::size_t n) {
  std::size_t got = 0;
  return f.Read(buf, n, &got) == dos::kOk && got == n;
}

void ConvertOne(Context& ctx, const Text& found, const Text& target_name) {
  std::unique_ptr<File> src;
  if (ctx.fs.Open(SourceFile(ctx, found), Access::kRead, Sharing::kDenyNone, &src) != dos::kOk) {
    ctx.log.Write("- Błąd dostępu do pliku !"_cp);
    return;
  }
  std::unique_ptr<File> dst;
  if (ctx.fs.Create(TargetFile(ctx, target_name), &dst) != dos::kOk) {
    ctx.log.Write("- Błąd utworzenia pliku "_cp + target_name + " !");
    src->Close();
    return;
  }
  std::vector<uint8_t> block(kDraDeclarationSize);
  if (!ReadFull(*src, block.data(), kDraDeclarationSize)) {
    ctx.log.Write("- Błąd odczytu !"_cp);
  } else {
    SetDraBalance(block);
    if (dst->Write(block.data(), kDraDeclarationSize) != dos::kOk) {
      ctx.log.Write("- Błąd zapisu DRA5 do "_cp + target_name + " !");
    } else {
      // Whole attachment blocks follow; a shorter tail is not carried.
      while (ReadFull(*src, block.data(), kDraAttachmentSize)) {
        if (dst->Write(block.data(), kDraAttachmentSize) != dos::kOk) {
          ctx.log.Write("- Błąd zapisu załacznika do DRA5 do "_cp + target_name + " !");
          break;
        }
      }
    }
  }
  src->Close();
  dst->Close();
}

}  // namespace

void SetDraBalance(Bytes d) {
  double balance = GetReal(d, 478) - GetReal(d, 518) + GetReal(d, 590) + GetReal(d, 614) +
                   GetReal(d, 630);
  PutReal(d, 688, balance);
  PutReal(d, 526, balance < 0 ? -balance : 0.0);
  PutReal(d, 534, balance < 0 ? 0.0 : balance);
}

void ConvertDraAttachments(Context& ctx) {
  std::vector<DirEntry> found;
  if (ctx.fs.Find(SourceFile(ctx, "2019D4??.*"), attr::kOrdinary, &found) != dos::kOk) return;
  int n = 0;
  for (const DirEntry& e : found) {
    if (e.attributes & attr::kDirectory) continue;
    ++n;
    // Each file starts its own row so that the entries stay readable.
    if (ctx.log.column() != 1) ctx.log.Line("");
    ctx.log.Write(IntToText(n) + ". :" + e.name);
    Text target_name = e.name;
    if (target_name.size() >= 6) target_name[5] = '5';
    ConvertOne(ctx, e.name, target_name);
  }
  if (ctx.log.column() != 1) ctx.log.Line("");
}

}  // namespace qz
