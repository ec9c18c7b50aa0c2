// Times the record converter and the block copier on a large file and sets
// them beside `cp` of the same file.

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/context.h"
#include "copy/file_copy.h"
#include "copy/record_copy.h"
#include "platform/headless_console.h"
#include "platform/posix_file_system.h"
#include "text/cp852.h"

namespace {

namespace fs = std::filesystem;

/// Wall-clock and processor seconds of one contender, best of five runs.
/// The processor time (user + system) is the fairer figure on a busy
/// machine: it does not count the time spent waiting for other programs.
struct Timing {
  double wall = 1e9;
  double cpu = 1e9;
};

/// `run` returns the processor seconds it used, or a negative number to have
/// them measured here (for code running in this process).
Timing Best(const std::function<void()>& prepare, const std::function<double()>& run) {
  Timing best;
  for (int i = 0; i < 5; ++i) {
    prepare();
    std::clock_t cpu_start = std::clock();
    auto start = std::chrono::steady_clock::now();
    double cpu = run();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (cpu < 0) cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    if (took.count() < best.wall) best.wall = took.count();
    if (cpu < best.cpu) best.cpu = cpu;
  }
  return best;
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

}  // namespace

int main(int argc, char** argv) {
  long megabytes = argc > 1 ? std::atol(argv[1]) : 200;
  fs::path dir = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "qz-copy-bench";
  fs::create_directories(dir);
  fs::path src = dir / "source.dat";
  fs::path dst = dir / "target.dat";

  // The source: records that differ from each other.
  {
    std::ofstream out(src, std::ios::binary | std::ios::trunc);
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31 + i / 512);
    for (long m = 0; m < megabytes; ++m) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", src.c_str());
      return 1;
    }
  }

  qz::PosixFileSystem file_system;
  qz::VirtualClock clock;
  qz::HeadlessConsole console(&clock);
  qz::ProcessInfo process;
  qz::Platform platform{file_system, console, clock, process};
  qz::Context ctx(platform);
  qz::Text src_name = qz::Utf8ToCp852(src.string());
  qz::Text dst_name = qz::Utf8ToCp852(dst.string());

  auto remove_target = [&] { fs::remove(dst); };
  auto check = [&](const char* what) {
    if (fs::file_size(dst) != fs::file_size(src)) {
      std::fprintf(stderr, "%s: target has %ju bytes, source %ju\n", what,
                   static_cast<uintmax_t>(fs::file_size(dst)), static_cast<uintmax_t>(fs::file_size(src)));
      std::exit(1);
    }
  };

  // Warm the page cache so that the first contender is not the only one
  // reading from the disk.
  if (std::system(("cat " + Quoted(src) + " > /dev/null").c_str()) != 0) return 1;

  // bash's `time` gives cp's own processor time ("user system").
  fs::path times = dir / "cp-times.txt";
  Timing cp = Best(remove_target, [&] {
    std::string cmd = "bash -c 'TIMEFORMAT=\"%3U %3S\"; time cp " + Quoted(src) + " " +
                      Quoted(dst) + "' 2> " + Quoted(times);
    if (std::system(cmd.c_str()) != 0) std::exit(1);
    std::ifstream in(times);
    double user = 0, sys = 0;
    in >> user >> sys;
    return user + sys;
  });
  check("cp");

  Timing convert = Best(remove_target, [&] {
    qz::ConvertRecords(ctx, src_name, dst_name, 512, 512, [](qz::ConstBytes in, qz::Bytes out) {
      qz::CopyBytes(out, 0, in, 0, in.size());
      return true;
    });
    return -1.0;
  });
  check("ConvertRecords");

  Timing binary = Best(remove_target, [&] {
    qz::CopyBinaryFile(ctx, src_name, dst_name, true);
    return -1.0;
  });
  check("CopyBinaryFile");

  std::printf("file: %ld MB, best of 5 runs each\n", megabytes);
  std::printf("                  wall       ratio   processor  ratio\n");
  auto row = [&](const char* name, const Timing& t) {
    std::printf("%-16s %7.3f s  %5.2f x  %7.3f s  %5.2f x\n", name, t.wall, t.wall / cp.wall,
                t.cpu, t.cpu / cp.cpu);
  };
  row("cp", cp);
  row("ConvertRecords", convert);
  row("CopyBinaryFile", binary);

  fs::remove(src);
  fs::remove(dst);
  fs::remove(times);
  std::error_code ec;
  fs::remove(dir, ec);
  return 0;
}
