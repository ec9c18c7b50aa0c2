#include "app/file_tests.h"

#include <vector>

namespace qz {

uint32_t FileSizeOf(FileSystem& fs, const Text& name) {
  std::vector<DirEntry> found;
  if (name.empty() || fs.Find(name, attr::kOrdinary, &found) != dos::kOk) return 0;
  for (const DirEntry& e : found) {
    if ((e.attributes & attr::kDirectory) == 0) return e.size;
  }
  return 0;
}

bool DirExists(FileSystem& fs, const Text& name) {
  if (name.empty() || name.back() == kPathSep) return false;
  std::vector<DirEntry> found;
  if (fs.Find(name, attr::kAnyFile, &found) != dos::kOk || found.empty()) return false;
  return (found.front().attributes & attr::kDirectory) != 0;
}

}  // namespace qz
