#ifndef QZ_WIZARD_WIZARD_TEST_WORLD_H_
#define QZ_WIZARD_WIZARD_TEST_WORLD_H_

// Test world of the wizard and whole-run tests (header only, used by tests).

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/context.h"
#include "platform/faulty_file_system.h"
#include "platform/posix_file_system.h"
#include "support/test_env.h"
#include "support/ui_world.h"
#include "text/cp852.h"

namespace qz {

/// A temporary directory with an old installation "RUR_2018/" (its firm
/// list present) and an empty new one "RUR_2019/", the program in "BIN/",
/// and a console that keeps the screen as it was at every key read.
struct WizardWorld {
  WizardWorld() {
    Write("RUR_2018/SPISFIRM.DAT", std::string(103, '\0'));
    std::filesystem::create_directories(Native("RUR_2019"));
    std::filesystem::create_directories(Native("BIN"));
    process.program_path = Path("BIN/qz18-19.EXE");
    process.args = {process.program_path, Path("RUR_2019/")};
    ctx.run.paths.source_root = Path("RUR_2018/");
    ctx.run.paths.target_root = Path("RUR_2019/");
    ctx.run.paths.program_base = Path("BIN/qz18-19");
    ctx.run.paths.program_dir = Path("BIN/");
  }

  std::string Native(const std::string& relative) const { return dir.native() + "/" + relative; }
  Text Path(const std::string& relative) const { return dir.path() + Utf8ToCp852(relative); }
  void Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path p(Native(relative));
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& relative) const {
    return std::filesystem::exists(Native(relative));
  }

  /// Row `row` of the screen now / when input record `frame` was taken.
  std::string Row(int row) { return console.screen().RowUtf8(row); }
  std::string FrameRow(std::size_t frame, int row) { return console.frames.at(frame).RowUtf8(row); }
  /// The whole screen when input record `frame` was taken (rows joined by
  /// line ends), or now for `frame` = -1.
  std::string Screen(int frame = -1) {
    std::string out;
    for (int r = 1; r <= 25; ++r) {
      out += (frame < 0 ? Row(r) : FrameRow(static_cast<std::size_t>(frame), r)) + "\n";
    }
    return out;
  }
  /// The first frame from `from` on whose screen shows `text`; -1 if none.
  int FindFrame(const std::string& text, int from = 0) {
    for (std::size_t f = static_cast<std::size_t>(from); f < console.frames.size(); ++f) {
      if (Screen(static_cast<int>(f)).find(text) != std::string::npos) return static_cast<int>(f);
    }
    return -1;
  }

  TempDir dir;
  PosixFileSystem real_fs;
  FaultyFileSystem fs{real_fs};
  VirtualClock clock;
  RecordingConsole console{&clock};
  ProcessInfo process;
  Platform platform{fs, console, clock, process};
  Context ctx{platform};
};

}  // namespace qz

#endif  // QZ_WIZARD_WIZARD_TEST_WORLD_H_
