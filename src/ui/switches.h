#ifndef QZ_UI_SWITCHES_H_
#define QZ_UI_SWITCHES_H_

#include "platform/process_info.h"
#include "text/text.h"

namespace qz {

/// Looks for a command-line switch among the program's arguments (the
/// first to the last, the program path not included). A leading "-" or "/"
/// is dropped from `name` and from each argument before comparing; the
/// argument must begin with the name, ignoring case in mode 1 and in the
/// same case in mode 0. `*position` (when given) gets the index in
/// `process.args` of the first match, or -1.
bool FindSwitch(const ProcessInfo& process, int mode, const Text& name, int* position = nullptr);

/// The text that follows the switch `name` in its argument ("/kprspis:A.DAT"
/// gives "A.DAT"), or empty when the switch is absent.
Text SwitchValue(const ProcessInfo& process, int mode, const Text& name);

/// The value of an environment variable, empty when it is not set.
Text GetEnvVar(const ProcessInfo& process, const Text& name);

}  // namespace qz

#endif  // QZ_UI_SWITCHES_H_
