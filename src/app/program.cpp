#include "app/program.h"

#include "app/context.h"
#include "app/exit.h"
#include "app/location.h"
#include "firms/firm_list.h"
#include "sharedfile/temp_dir.h"
#include "text/cp852.h"
#include "text/format.h"
#include "transfer/firm_loop.h"
#include "transfer/global_data.h"
#include "wizard/wizard.h"

namespace qz {

namespace {

constexpr uint16_t kStartGlobalData = 0x0001;  // "Dane Globalne z"
constexpr uint16_t kStartFirms = 0x0002;       // "Dane pózniej wskazanych firm"

// True when the first parameter asks for the usage text.
bool AsksForUsage(const Text& arg) {
  return arg.find('?') != Text::npos || arg == "--help" || arg == "-h";
}

// "X:" at the start of a path: a drive letter and its colon.
bool HasDriveLetter(const Text& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

Text ProgramHeader() { return " PROGRAM DO PRZEPCHNIĘCIA DANYCH RUR_QZ Z ROKU 2018 NA 2019 1.05(x86)"_cp; }

Stages DefaultStages() {
  Stages s;
  s.run_wizard = [](Context& ctx) { return RunWizard(ctx); };
  s.transfer_global_data = [](Context& ctx) { TransferGlobalData(ctx); };
  s.run_firm_transfers = [](Context& ctx) { RunFirmTransfers(ctx); };
  return s;
}

void StartUp(Context& ctx) {
  YearPaths& paths = ctx.run.paths;
  Screen& screen = ctx.console.screen();

  // 1. What other subsystems settle before anything is shown.
  SetProgramLocation(ctx.process.program_path, &paths);
  ctx.ui.LoadColours(paths.program_dir, ctx.log);
  ctx.ui.ReadSoundSwitch();
  FindTempDir(ctx);
  SetFirmListName(ctx);

  // 2. The console's title (the screen is always 80 x 25 in colour).
  screen.SetTitle("qzTarvo - Konwerter 2018-2019"_cp);

  // 3. Help on the command line.
  if (AsksForUsage(ctx.process.Arg(1))) ShowUsage(ctx);

  // 4. Extra firm files.
  ReadExtraFileList(ctx);

  // 5. Default locations.
  paths.source_root = Text(1, kPathSep) + "RUR_2018" + kPathSep;
  paths.target_root = ctx.process.Arg(1);
  if (paths.target_root.empty()) {
    paths.target_root = HasDriveLetter(paths.program_dir) ? paths.program_dir.substr(2)
                                                          : paths.program_dir;
  }

  // 6. Remembered locations override the defaults.
  ReadLocationFile(ctx);

  // 7. The header and its rule.
  screen.SetCursorShape(CursorShape::kHidden);
  ctx.log.SetColour(10);
  ctx.log.Clear(true);
  ctx.log.Line(ProgramHeader());
  ctx.log.SetColour(15);
  ctx.log.Line(Text(80, '\xC4'));
  ctx.log.SetColour(7);
}

void RunTransfers(Context& ctx, const Stages& stages) {
  const RunOptions& options = ctx.run.options;
  if (FlagSet(options.start_items, kStartGlobalData) && options.global_items != 0) {
    stages.transfer_global_data(ctx);
  }
  if (FlagSet(options.start_items, kStartFirms)) stages.run_firm_transfers(ctx);
  ctx.log.Line("");
  ctx.log.Line("");
  ctx.log.Line("Koniec pracy kopiera danych RUR_QZ na rok 2019"_cp);
}

void EndOfRun(Context& ctx) {
  ctx.console.screen().SetCursorShape(CursorShape::kSmall);
  ctx.log.SlowPause();
  ctx.log.Write("Nacisnij Enter");
  ctx.log.WaitKey();
  ctx.log.Clear(true);
}

int RunProgram(Context& ctx, const Stages& stages) {
  try {
    StartUp(ctx);
    if (stages.run_wizard(ctx)) RunTransfers(ctx, stages);
    EndOfRun(ctx);
    return 0;
  } catch (const ExitRequest& exit) {
    ctx.console.screen().SetCursorShape(CursorShape::kSmall);
    ctx.console.Present();
    return exit.code;
  }
}

int RunProgram(Platform& platform) {
  Context ctx(platform);
  return RunProgram(ctx, DefaultStages());
}

}  // namespace qz
