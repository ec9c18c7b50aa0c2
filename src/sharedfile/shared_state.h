#ifndef QZ_SHAREDFILE_SHARED_STATE_H_
#define QZ_SHAREDFILE_SHARED_STATE_H_

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace qz {

/// Open modes: one access value OR-ed with one sharing value.
namespace open_mode {
inline constexpr uint8_t kRead = 0x00;
inline constexpr uint8_t kWrite = 0x01;
inline constexpr uint8_t kReadWrite = 0x02;
inline constexpr uint8_t kExclusive = 0x10;
inline constexpr uint8_t kDenyWrite = 0x20;
inline constexpr uint8_t kDenyRead = 0x30;
inline constexpr uint8_t kDenyNone = 0x40;
}  // namespace open_mode

/// Run state of shared file access, owned by the run's `Context`.
struct SharedFileState {
  /// `NetworkMode`: locks are taken and sharing bits are used. When off,
  /// whole-file locks succeed at once and every open is unshared.
  bool network_mode = true;
  /// The process-wide open mode used when an existing file is opened.
  uint8_t open_mode = open_mode::kReadWrite;
  /// The one mode remembered by `SetFileMode` (none until it is first called).
  std::optional<uint8_t> remembered_mode;
  /// `TempDir`: directory for temporary files (at most 116 characters).
  Text temp_dir;
  /// `Insert` shows a progress box for files of more than 20 records.
  bool insert_progress = true;
};

}  // namespace qz

#endif  // QZ_SHAREDFILE_SHARED_STATE_H_
