#ifndef QZ_APP_LOCATION_H_
#define QZ_APP_LOCATION_H_

#include "app/run_state.h"
#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

struct Context;

/// Sets `ProgramBase` (the program file's path without its extension) and
/// `ProgramDir` (its directory, ending with the separator, or empty) from
/// the path the system reports for the running program.
void SetProgramLocation(const Text& program_path, YearPaths* paths);

/// The list file of extra firm files: `ProgramBase` + ".LST".
Text ExtraFileListName(const YearPaths& paths);
/// The location file: `ProgramBase` + ".PTH".
Text LocationFileName(const YearPaths& paths);

/// Writes the usage text as plain console lines, waits for a key and ends
/// the process with exit code 0 (throws `ExitRequest`).
[[noreturn]] void ShowUsage(Context& ctx);

/// Reads the list file into `ExtraFileList`: one name per line, cut to 25
/// characters. A missing or unreadable file leaves the list as it is; a
/// read error ends the reading.
void ReadExtraFileList(Context& ctx);

/// Reads the location file: lines "RUR_2018=dir" and "RUR_2019=dir" set
/// `SourceRoot` and `TargetRoot` to dir followed by the separator; other
/// lines are ignored. A missing file changes nothing.
void ReadLocationFile(Context& ctx);

/// Writes the location file: "[PATHS]" and both roots without their last
/// character, lines ending with CR LF. Returns a DOS error number.
int WriteLocationFile(Context& ctx);

}  // namespace qz

#endif  // QZ_APP_LOCATION_H_
