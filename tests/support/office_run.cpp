#include "support/office_run.h"

#include <exception>

#include "app/program.h"
#include "platform/headless_console.h"
#include "platform/posix_file_system.h"
#include "platform/real_clock.h"
#include "text/cp852.h"

namespace qz::fixture {

namespace {

std::string WithSeparator(const std::string& dir) {
  return !dir.empty() && dir.back() == '/' ? dir : dir + "/";
}

// A key script text: quotes and backslashes escaped.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

OfficeKeys OfficeKeyScript(const std::string& old_root) {
  OfficeKeys keys;
  keys.wizard = "Ctrl+Y " + Quoted(WithSeparator(old_root)) + " PgDn PgDn PgDn F5";
  keys.firm_list = "F5";
  keys.last_key = "Enter";
  return keys;
}

OfficeRun RunOfficeHeadless(const std::string& old_root, const std::string& new_root,
                            const std::string& program_dir) {
  PosixFileSystem fs;
  RealClock clock;
  HeadlessConsole console;
  ProcessInfo process;
  process.program_path = Utf8ToCp852(WithSeparator(program_dir) + "qz18-19");
  process.args = {process.program_path, Utf8ToCp852(WithSeparator(new_root))};
  Platform platform{fs, console, clock, process};
  console.Type(OfficeKeyScript(old_root).Whole());

  OfficeRun run;
  try {
    run.exit_code = RunProgram(platform);
    run.keys_left = console.pending();
    run.finished = run.keys_left == 0;
    if (!run.finished) run.error = "the program ended with keys left over";
  } catch (const std::exception& e) {
    run.error = e.what();
  }
  for (int row = 1; row <= 25; ++row) run.screen += console.screen().RowUtf8(row) + "\n";
  return run;
}

}  // namespace qz::fixture
