#ifndef QZ_SHAREDFILE_SHARED_STATE_H_
#define QZ_SHAREDFILE_SHARED_STATE_H_

namespace qz {

/// Run state of shared file access, owned by the run's `Context`.
struct SharedFileState {};

}  // namespace qz

#endif  // QZ_SHAREDFILE_SHARED_STATE_H_
