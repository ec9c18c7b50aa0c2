#include "sharedfile/temp_dir.h"

#include <random>
#include <vector>

#include "app/context.h"

namespace qz {

namespace {

constexpr std::size_t kMaxTempDir = 116;

bool IsDirectory(FileSystem& fs, Text path) {
  // The search names the directory itself, so a trailing separator would
  // make it search inside instead.
  while (path.size() > 1 && path.back() == kPathSep) path.pop_back();
  std::vector<DirEntry> found;
  constexpr uint8_t kAllButVolume = attr::kAnyFile & ~attr::kVolumeId;
  if (fs.Find(path, kAllButVolume, &found) != dos::kOk) return false;
  for (const DirEntry& e : found) {
    if (e.attributes & attr::kDirectory) return true;
  }
  return false;
}

bool AnyNameExists(FileSystem& fs, const Text& path) {
  std::vector<DirEntry> found;
  return fs.Find(path, attr::kAnyFile, &found) == dos::kOk && !found.empty();
}

}  // namespace

void FindTempDir(Context& ctx) {
  for (const char* var : {"qzTEMP", "RODIVU", "TEMP", "TMP"}) {
    Text value = ctx.process.GetEnv(var);
    if (!value.empty() && IsDirectory(ctx.fs, value)) {
      ctx.shared.temp_dir = value.substr(0, kMaxTempDir);
      return;
    }
  }
  Text current;
  if (ctx.fs.CurrentDir(&current) == dos::kOk) ctx.shared.temp_dir = current.substr(0, kMaxTempDir);
}

Text MakeTempName(Context& ctx, const Text& dir, const Text& ext) {
  Text base = dir.empty() ? ctx.shared.temp_dir : dir;
  if (!base.empty() && base.back() != kPathSep) base.push_back(kPathSep);
  LocalTime t = ctx.clock.Now();
  std::minstd_rand random(static_cast<uint32_t>(ctx.clock.MonotonicMs() + t.hundredths +
                                                100u * (t.second + 60u * (t.minute + 60u * t.hour))));
  uint32_t n = random() % 0x7FFF;
  for (;;) {
    Text candidate = base + "~qz" + std::to_string(n) + ext;
    if (!AnyNameExists(ctx.fs, candidate)) return candidate;
    ++n;
  }
}

}  // namespace qz
