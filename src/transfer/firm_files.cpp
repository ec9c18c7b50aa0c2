#include "transfer/firm_files.h"

#include <vector>

#include "app/context.h"
#include "copy/file_copy.h"
#include "platform/file_system.h"
#include "text/cp852.h"

namespace qz {

Text SourceFile(const Context& ctx, TextView name) {
  return ctx.firm.source_dir + kPathSep + Text(name);
}

Text TargetFile(const Context& ctx, TextView name) {
  return ctx.firm.target_dir + kPathSep + Text(name);
}

bool IsPlainFileName(TextView name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\:") == TextView::npos;
}

void LogBadFileName(Context& ctx, TextView name) {
  ctx.log.SetColour(12);
  ctx.log.Line("Niepoprawna nazwa pliku "_cp + Text(name));
}

void CopyNamedFile(Context& ctx, const Text& entry, bool convert) {
  Text from = entry;
  Text to = entry;
  if (std::size_t gt = entry.find('>'); gt != Text::npos) {
    from = entry.substr(0, gt);
    to = entry.substr(gt + 1);
  }
  // Names come from a list file: they must stay inside the firm's directory.
  for (const Text* name : {&from, &to}) {
    if (!IsPlainFileName(*name)) {
      LogBadFileName(ctx, *name);
      return;
    }
  }
  CopyBinaryFile(ctx, SourceFile(ctx, from), TargetFile(ctx, to), convert);
}

void CopyMatchingFiles(Context& ctx, const Text& pattern, bool convert) {
  std::vector<DirEntry> found;
  if (ctx.fs.Find(SourceFile(ctx, pattern), attr::kAnyFile, &found) != dos::kOk) return;
  for (const DirEntry& e : found) {
    if (e.attributes & attr::kDirectory) continue;
    CopyBinaryFile(ctx, SourceFile(ctx, e.name), TargetFile(ctx, e.name), convert);
  }
}

void HideConvertedFile(Context& ctx, const Text& name) {
  if (!ctx.run.options.hide_converted) return;
  Text hidden = name + "~";
  std::vector<DirEntry> found;
  // A rename would replace an existing "~" file on this platform; the old
  // installation's older copy must be kept, so that counts as a failure.
  bool taken = ctx.fs.Find(hidden, attr::kAnyFile, &found) == dos::kOk && !found.empty();
  if (taken || ctx.fs.Rename(name, hidden) != dos::kOk) {
    ctx.log.Line("Błąd zmiany nazwy pliku "_cp + name);
    return;
  }
  ctx.log.Line("Zmiana nazwy pliku "_cp + name + " na " + hidden);
}

}  // namespace qz
