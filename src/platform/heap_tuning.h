#ifndef QZ_PLATFORM_HEAP_TUNING_H_
#define QZ_PLATFORM_HEAP_TUNING_H_

namespace qz {

/// Lets the process keep freed heap memory for reuse instead of handing it
/// back to the system whenever the top of the heap is free. A run opens
/// thousands of files, each with its own buffers; giving their memory back
/// after every file (with the page-table flushes that go with it) cost a
/// tenth of a run's time. The memory kept is bounded by the largest set of
/// buffers in use at once. Called once at the start of the process.
void KeepFreedHeapMemory();

}  // namespace qz

#endif  // QZ_PLATFORM_HEAP_TUNING_H_
