#include "platform/heap_tuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qz {

void KeepFreedHeapMemory() {
#if defined(__GLIBC__)
  // Give memory back only once 32 MB lie free at the top of the heap.
  mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
#endif
}

}  // namespace qz
