#ifndef QZ_PLATFORM_POSIX_PROCESS_H_
#define QZ_PLATFORM_POSIX_PROCESS_H_

#include "platform/process_info.h"

namespace qz {

/// What this process was started with, converted to CP852: the arguments,
/// the program file's full path (from the OS, or argument 0 when the OS
/// does not tell) and the environment.
ProcessInfo ReadProcessInfo(int argc, char** argv);

}  // namespace qz

#endif  // QZ_PLATFORM_POSIX_PROCESS_H_
