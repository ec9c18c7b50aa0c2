#ifndef QZ_PLATFORM_PLATFORM_H_
#define QZ_PLATFORM_PLATFORM_H_

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/process_info.h"

namespace qz {

/// Everything the program gets from its surroundings. `main` builds the
/// real one; tests build one of a temporary directory, a headless console
/// and a virtual clock.
struct Platform {
  FileSystem& fs;
  Console& console;
  Clock& clock;
  const ProcessInfo& process;
};

}  // namespace qz

#endif  // QZ_PLATFORM_PLATFORM_H_
