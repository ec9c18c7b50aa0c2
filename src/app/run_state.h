#ifndef QZ_APP_RUN_STATE_H_
#define QZ_APP_RUN_STATE_H_

#include <cstdint>
#include <vector>

#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

/// The directories of the run. Directories end with the path separator once
/// the locations page has been accepted.
struct YearPaths {
  Text source_root;                   ///< `SourceRoot`, the 2018 data directory
  Text target_root;                   ///< `TargetRoot`, the 2019 data directory
  Text source_program_dir = "#BIN980";  ///< `SourceProgramDir`, at most 7 characters
  Text target_program_dir = "#BIN990";  ///< `TargetProgramDir`, fixed
  Text program_base;                  ///< `ProgramBase`: program file path without extension
  Text program_dir;                   ///< `ProgramDir`: its directory, ending with the separator
};

/// Option bits of `GlobalItems`, `FirmItems`, ...: the k-th check box is bit 2^k.
/// `RunOptions`: every choice made in the wizard, with its defaults.
struct RunOptions {
  uint16_t char_standard = 0;        ///< `CharStandard`
  bool slow_mode = false;            ///< `SlowMode`
  bool hide_converted = false;       ///< `HideConverted`
  bool warn_open_december = true;    ///< `WarnOpenDecember`
  uint16_t global_items = 0x06D7;    ///< `GlobalItems`
  uint16_t firm_items = 0xFFFF;      ///< `FirmItems`
  uint16_t staff_mode = 0;           ///< `StaffMode`
  uint16_t pid5_mode = 0;            ///< `Pid5Mode`
  uint16_t entries_2019 = 0xFFFF;    ///< `Entries2019`
  uint16_t module_items = 0xFFFD;    ///< `ModuleItems`
  uint16_t start_items = 0xFFFF;     ///< `StartItems`
  bool pause_per_firm = false;       ///< `PausePerFirm`
};

/// The whole run state of the program frame; fixed once the run starts.
struct RunState {
  YearPaths paths;
  RunOptions options;
  /// `ExtraFileList`: names (at most 25 characters) from the list file, in order.
  std::vector<Text> extra_files;
};

}  // namespace qz

#endif  // QZ_APP_RUN_STATE_H_
