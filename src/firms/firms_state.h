#ifndef QZ_FIRMS_FIRMS_STATE_H_
#define QZ_FIRMS_FIRMS_STATE_H_

namespace qz {

/// Run state of the firm registry, owned by the run's `Context`.
struct FirmsState {};

}  // namespace qz

#endif  // QZ_FIRMS_FIRMS_STATE_H_
