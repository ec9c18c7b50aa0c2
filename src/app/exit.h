#ifndef QZ_APP_EXIT_H_
#define QZ_APP_EXIT_H_

namespace qz {

/// Ends the process with `code`: thrown wherever the program must stop and
/// caught by `RunProgram`, which restores the console and returns the code.
struct ExitRequest {
  int code;
};

}  // namespace qz

#endif  // QZ_APP_EXIT_H_
