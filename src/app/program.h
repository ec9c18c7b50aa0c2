#ifndef QZ_APP_PROGRAM_H_
#define QZ_APP_PROGRAM_H_

#include <functional>

#include "platform/platform.h"

namespace qz {

struct Context;

/// The stages that other subsystems supply to the program frame.
struct Stages {
  /// The wizard: true when the user started the run, false on a give-up.
  std::function<bool(Context&)> run_wizard;
  /// The office-wide data of the old program directory.
  std::function<void(Context&)> transfer_global_data;
  /// The firms the user picks, one after another.
  std::function<void(Context&)> run_firm_transfers;
};

/// The stages of the finished program.
Stages DefaultStages();

/// The program's header on row 1.
Text ProgramHeader();

/// Start-up, the wizard, the run and the end: returns the process's exit
/// code (that of an `ExitRequest` thrown anywhere below). A test console's
/// `ScriptExhausted` is passed on to the caller.
int RunProgram(Context& ctx, const Stages& stages);
/// `RunProgram` on a fresh `Context` of `platform` with `DefaultStages`.
int RunProgram(Platform& platform);

/// Start-up steps 1 to 7: program location, colours, temporary directory,
/// firm list name, console title, usage on "?", list and location files,
/// run-state defaults, the header and its rule.
void StartUp(Context& ctx);

/// The run after the wizard: global data, firms, closing lines.
void RunTransfers(Context& ctx, const Stages& stages);

/// The end of every run: "Nacisnij Enter", a key, a clear screen.
void EndOfRun(Context& ctx);

}  // namespace qz

#endif  // QZ_APP_PROGRAM_H_
