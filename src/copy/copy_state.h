#ifndef QZ_COPY_COPY_STATE_H_
#define QZ_COPY_COPY_STATE_H_

namespace qz {

/// Run state of the copy engine, owned by the run's `Context`.
struct CopyState {};

}  // namespace qz

#endif  // QZ_COPY_COPY_STATE_H_
