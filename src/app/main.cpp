// The process entry: builds the real platform (file system, clock, process
// information and the terminal) and runs the program on it. The terminal is
// given back as it was on every way out.

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/heap_tuning.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/real_clock.h"
#include "platform/terminal_console.h"

int main(int argc, char** argv) {
  qz::KeepFreedHeapMemory();
  qz::RealClock clock;
  qz::PosixFileSystem fs;
  qz::ProcessInfo process = qz::ReadProcessInfo(argc, argv);

  std::string error;
  std::unique_ptr<qz::TerminalConsole> console = qz::TerminalConsole::Open(clock, &error);
  if (!console) {
    std::fprintf(stderr, "qz18-19: %s\n", error.c_str());
    return 1;
  }

  qz::Platform platform{fs, *console, clock, process};
  int code = 1;
  try {
    code = qz::RunProgram(platform);
  } catch (const std::exception& e) {
    console->Restore();
    std::fprintf(stderr, "qz18-19: %s\n", e.what());
    return 1;
  }
  console->Restore();
  return code;
}
