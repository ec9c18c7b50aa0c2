#include "platform/posix_process.h"

#include <unistd.h>

#include <string>

#include "text/cp852.h"

extern char** environ;

namespace qz {

namespace {

std::string ExecutablePath() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buf.size()) return std::string();
  buf.resize(static_cast<std::size_t>(n));
  return buf;
}

}  // namespace

ProcessInfo ReadProcessInfo(int argc, char** argv) {
  ProcessInfo info;
  for (int i = 0; i < argc; ++i) {
    info.args.push_back(Utf8ToCp852(argv[i] != nullptr ? argv[i] : ""));
  }
  std::string exe = ExecutablePath();
  if (!exe.empty()) {
    info.program_path = Utf8ToCp852(exe);
  } else if (!info.args.empty()) {
    info.program_path = info.args[0];
  }
  if (info.args.empty()) info.args.push_back(info.program_path);
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    std::string entry = *e;
    auto eq = entry.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    // The first definition of a name counts, as getenv() sees it.
    info.env.emplace(Utf8ToCp852(entry.substr(0, eq)), Utf8ToCp852(entry.substr(eq + 1)));
  }
  return info;
}

}  // namespace qz
