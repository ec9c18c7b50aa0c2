#ifndef QZ_PLATFORM_PROCESS_INFO_H_
#define QZ_PLATFORM_PROCESS_INFO_H_

#include <map>
#include <vector>

#include "text/text.h"

namespace qz {

/// What the process was started with: its arguments (argument 0 is the
/// program file's path), the program file's full path as the OS reports it,
/// and the environment. All texts are CP852.
struct ProcessInfo {
  std::vector<Text> args;
  Text program_path;
  std::map<Text, Text> env;

  /// The value of an environment variable, empty when unset.
  Text GetEnv(const Text& name) const {
    auto it = env.find(name);
    return it == env.end() ? Text() : it->second;
  }
  /// Argument `i`, empty when there is none.
  Text Arg(std::size_t i) const { return i < args.size() ? args[i] : Text(); }
};

}  // namespace qz

#endif  // QZ_PLATFORM_PROCESS_INFO_H_
