#include "sharedfile/file_mode.h"

#include <vector>

#include "app/context.h"

namespace qz {

void SetFileMode(Context& ctx, uint8_t mode) {
  ctx.shared.remembered_mode = ctx.shared.open_mode;
  ctx.shared.open_mode = mode;
}

void RestoreFileMode(Context& ctx) {
  if (ctx.shared.remembered_mode) ctx.shared.open_mode = *ctx.shared.remembered_mode;
}

int OpenInFileMode(Context& ctx, const Text& path, std::unique_ptr<File>* out) {
  uint8_t mode = ctx.shared.open_mode;
  Access access = Access::kReadWrite;
  switch (mode & 0x07) {
    case open_mode::kRead: access = Access::kRead; break;
    case open_mode::kWrite: access = Access::kWrite; break;
    default: break;
  }
  Sharing sharing = Sharing::kCompatibility;
  if (ctx.shared.network_mode) {
    switch (mode & 0x70) {
      case open_mode::kExclusive: sharing = Sharing::kExclusive; break;
      case open_mode::kDenyWrite: sharing = Sharing::kDenyWrite; break;
      case open_mode::kDenyRead: sharing = Sharing::kDenyRead; break;
      case open_mode::kDenyNone: sharing = Sharing::kDenyNone; break;
      default: break;
    }
  }
  return ctx.fs.Open(path, access, sharing, out);
}

bool LockFirstByte(File& file) { return file.Lock(0, 1) == dos::kOk; }

bool UnlockFirstByte(File& file) { return file.Unlock(0, 1) == dos::kOk; }

bool NameExists(FileSystem& fs, const Text& path) {
  std::vector<DirEntry> found;
  return fs.Find(path, attr::kOrdinary, &found) == dos::kOk && !found.empty();
}

}  // namespace qz
