#include "ui/switches.h"

#include "text/polish.h"

namespace qz {

namespace {

TextView WithoutPrefix(TextView s) {
  if (!s.empty() && (s[0] == '-' || s[0] == '/')) s.remove_prefix(1);
  return s;
}

bool BeginsWith(TextView arg, TextView name, int mode) {
  if (arg.size() < name.size()) return false;
  TextView head = arg.substr(0, name.size());
  if (mode == 1) return UpperPL(head) == UpperPL(name);
  return head == name;
}

}  // namespace

bool FindSwitch(const ProcessInfo& process, int mode, const Text& name, int* position) {
  if (position != nullptr) *position = -1;
  TextView wanted = WithoutPrefix(name);
  for (std::size_t i = 1; i < process.args.size(); ++i) {
    if (BeginsWith(WithoutPrefix(process.args[i]), wanted, mode)) {
      if (position != nullptr) *position = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

Text SwitchValue(const ProcessInfo& process, int mode, const Text& name) {
  int position = -1;
  if (!FindSwitch(process, mode, name, &position)) return Text();
  // Whatever follows the name, whether the argument was typed with its
  // "-" or "/" or without one.
  TextView arg = WithoutPrefix(process.args[static_cast<std::size_t>(position)]);
  return Text(arg.substr(WithoutPrefix(name).size()));
}

Text GetEnvVar(const ProcessInfo& process, const Text& name) { return process.GetEnv(name); }

}  // namespace qz
