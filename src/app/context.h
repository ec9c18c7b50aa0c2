#ifndef QZ_APP_CONTEXT_H_
#define QZ_APP_CONTEXT_H_

#include "app/progress_log.h"
#include "app/run_state.h"
#include "copy/copy_state.h"
#include "firms/firms_state.h"
#include "platform/platform.h"
#include "sharedfile/shared_state.h"
#include "transfer/firm_state.h"
#include "transfer/staff_state.h"
#include "ui/ui.h"

namespace qz {

/// Everything one run of the program owns: the platform it runs on, the run
/// state, the progress log, the user interface and the state each subsystem
/// keeps between calls (sticky answers, per-firm state, person list, ...).
/// Built by `RunProgram` (or a test) and passed by reference; nothing of it
/// is global, so every run and every test starts clean.
struct Context {
  explicit Context(Platform& p)
      : platform(p), fs(p.fs), console(p.console), clock(p.clock), process(p.process),
        log(p.console, p.clock, run.options), ui(p) {}
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Platform& platform;
  FileSystem& fs;
  Console& console;
  Clock& clock;
  const ProcessInfo& process;

  RunState run;
  ProgressLog log;
  Ui ui;
  CopyState copy;
  FirmState firm;
  StaffState staff;
  SharedFileState shared;
  FirmsState firms;
};

}  // namespace qz

#endif  // QZ_APP_CONTEXT_H_
