// The whole-run benchmark: generates a large office, then times in one go
// `cp -r` of the old installation, the program run headless on the key
// script, and the real program inside tmux at 80 x 25 driven by the same
// keys; reports the ratios, the peak memory of the program and the bytes it
// wrote to the terminal.
//
//   office_bench run [scale] [rounds] [directory] [program]   the benchmark
//   office_bench generate scale directory             only the office
//   office_bench headless old new bin                 one headless run
//   office_bench measure result fifo -- program args  (used inside tmux)

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/heap_tuning.h"
#include "support/office_generator.h"
#include "support/office_run.h"

#ifndef QZ_PROGRAM
#define QZ_PROGRAM "qz18-19"
#endif

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

double CpuSeconds(const rusage& ru) {
  return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
         static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

/// One child process: wall and processor seconds, peak resident memory and
/// exit status.
struct ChildRun {
  double wall = 0;
  double cpu = 0;
  long max_rss_kb = 0;
  int status = -1;  ///< exit code, or -1 when killed by a signal
};

ChildRun RunChild(const std::vector<std::string>& args, const std::string& stdout_file = "") {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  Clock::time_point start = Clock::now();
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (!stdout_file.empty()) {
      int fd = ::open(stdout_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd >= 0) ::dup2(fd, 1);
    }
    ::execvp(argv[0], argv.data());
    std::perror(argv[0]);
    ::_exit(127);
  }
  int st = 0;
  rusage ru{};
  ::wait4(pid, &st, 0, &ru);
  ChildRun r;
  r.wall = Seconds(start);
  r.cpu = CpuSeconds(ru);
  r.max_rss_kb = ru.ru_maxrss;
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

std::string Shell(const std::string& command) {
  std::string out;
  FILE* p = ::popen(command.c_str(), "r");
  if (p == nullptr) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  ::pclose(p);
  return out;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

std::string SelfPath() {
  return fs::read_symlink("/proc/self/exe").string();
}

uint64_t TreeBytes(const fs::path& root) {
  uint64_t total = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) total += e.file_size();
  }
  return total;
}

void FreshDir(const fs::path& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
}

void Sync() { ::sync(); }

// ---- the measuring wrapper run inside tmux --------------------------------

// Waits for the go signal on `fifo`, runs the program as a child on this
// terminal and writes "status wall cpu maxrss_kb" to `result`.
int Measure(const std::string& result, const std::string& fifo, std::vector<std::string> args) {
  {
    std::ifstream go(fifo);
    std::string word;
    go >> word;
  }
  ChildRun r = RunChild(args);
  std::ofstream out(result + ".tmp");
  out << r.status << ' ' << r.wall << ' ' << r.cpu << ' ' << r.max_rss_kb << '\n';
  out.close();
  fs::rename(result + ".tmp", result);
  return 0;
}

// ---- tmux -----------------------------------------------------------------

/// A tmux server of our own (its own socket), so that nobody else's
/// sessions are touched; it is ended when this object goes.
class Tmux {
 public:
  Tmux() : socket_("qzbench-" + std::to_string(::getpid())) {}
  ~Tmux() { Shell(Base() + " kill-server 2>/dev/null"); }
  std::string Base() const { return "tmux -L " + socket_ + " -f /dev/null"; }
  void Run(const std::string& args) const {
    if (std::system((Base() + " " + args).c_str()) != 0) {
      throw std::runtime_error("tmux failed: " + args);
    }
  }
  std::string Screen() const { return Shell(Base() + " capture-pane -p -t qz 2>/dev/null"); }
  /// Waits until the screen shows `text`; false after `timeout` seconds
  /// or when the program ended first (`done` exists).
  bool WaitFor(const std::string& text, double timeout, int poll_ms, const fs::path& done) const {
    Clock::time_point start = Clock::now();
    while (Seconds(start) < timeout) {
      if (Screen().find(text) != std::string::npos) return true;
      if (fs::exists(done)) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
    }
    return false;
  }

 private:
  std::string socket_;
};

struct TmuxRun {
  ChildRun program;
  uint64_t terminal_bytes = 0;
  std::string error;
};

TmuxRun RunInTmux(const std::string& program, const fs::path& work, const fs::path& old_root,
                  const fs::path& new_root) {
  TmuxRun out;
  fs::path fifo = work / "go.fifo";
  fs::path result = work / "tmux.result";
  fs::path bytes = work / "terminal.bytes";
  fs::remove(fifo);
  fs::remove(result);
  fs::remove(bytes);
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");

  Tmux tmux;
  std::string command = Quote(SelfPath()) + " measure " + Quote(result) + " " + Quote(fifo) +
                        " -- " + Quote(program) + " " + Quote(new_root.string() + "/");
  tmux.Run("new-session -d -s qz -x 80 -y 25 " + Quote(command));
  tmux.Run("pipe-pane -t qz -o " + Quote("wc -c > " + Quote(bytes)));
  { std::ofstream(fifo) << "go\n"; }

  const std::string keys = tmux.Base() + " send-keys -t qz ";
  auto send = [&](const std::string& what) {
    if (std::system((keys + what).c_str()) != 0) out.error = "send-keys failed";
  };
  // The wizard and the firm list take keys typed ahead: they go all at once
  // as soon as the first page is up. "Nacisnij Enter" drops keys typed
  // ahead, so its key waits for the text. Should the firm list ever stand
  // waiting (keys dropped before it), it gets its F5 again.
  if (!tmux.WaitFor("Lokalizacja", 60.0, 5, result)) {
    out.error = "the screen never showed the first page:\n" + tmux.Screen();
  } else {
    send("C-y && " + keys + "-l " + Quote(old_root.string() + "/") + " && " + keys +
         "NPage NPage NPage F5 F5");
    Clock::time_point nudged = Clock::now();
    Clock::time_point changed = Clock::now();
    std::string last;
    for (;;) {
      std::string screen = tmux.Screen();
      if (screen != last) {
        last = screen;
        changed = Clock::now();
      } else if (Seconds(changed) > 300.0) {
        out.error = "the screen stood still for five minutes:\n" + screen;
        break;
      }
      if (screen.find("Nacisnij Enter") != std::string::npos) {
        send("Enter");
        break;
      }
      if (fs::exists(result)) {
        out.error = "the program ended before \"Nacisnij Enter\":\n" + screen;
        break;
      }
      if (screen.find("BAZA FIRM") != std::string::npos && Seconds(nudged) > 2.0) {
        send("F5");
        nudged = Clock::now();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  Clock::time_point start = Clock::now();
  while (!fs::exists(result) && Seconds(start) < (out.error.empty() ? 60.0 : 5.0)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::ifstream in(result);
  if (!(in >> out.program.status >> out.program.wall >> out.program.cpu >>
        out.program.max_rss_kb)) {
    if (out.error.empty()) out.error = "the program did not end";
  }
  tmux.Run("pipe-pane -t qz 2>/dev/null || true");
  Shell(tmux.Base() + " kill-session -t qz 2>/dev/null");
  // The pipe's counter writes its figure when the pane has closed.
  std::error_code ec;
  for (int i = 0; i < 300 && fs::file_size(bytes, ec) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream b(bytes);
  b >> out.terminal_bytes;
  fs::remove(fifo);
  return out;
}

// ---- the benchmark ----------------------------------------------------------

bool FirmsArrived(const fs::path& new_root, int firms) {
  std::error_code ec;
  return fs::file_size(new_root / "SPISFIRM.DAT", ec) == static_cast<uintmax_t>(firms) * 103;
}

double Mb(double bytes) { return bytes / (1024.0 * 1024.0); }

// The better of two runs of the same contender (by wall time; processor
// time and memory taken from their own best).
void KeepBest(ChildRun* best, const ChildRun& run, bool first) {
  if (first) {
    *best = run;
    return;
  }
  if (run.status != 0) best->status = run.status;
  best->wall = std::min(best->wall, run.wall);
  best->cpu = std::min(best->cpu, run.cpu);
  best->max_rss_kb = std::max(best->max_rss_kb, run.max_rss_kb);
}

int Benchmark(double scale, int rounds, const fs::path& work, const std::string& program) {
  fs::create_directories(work);
  fs::path old_root = work / "RUR_2018";
  fs::path new_root = work / "RUR_2019";
  fs::path bin = work / "BIN";
  fs::path copy = work / "copy";
  fs::remove_all(old_root);
  fs::create_directories(bin);

  qz::fixture::OfficeSize size = qz::fixture::OfficeSize::Scaled(scale);
  Clock::time_point gen = Clock::now();
  qz::fixture::OfficeTotals totals = qz::fixture::WriteOffice(old_root.string(), size);
  std::printf("office (scale %g): %d firms (%d big), %lld ledger entries, %lld files, %.1f MB; "
              "generated in %.1f s\n",
              scale, totals.firms, size.big_firms, static_cast<long long>(totals.ledger_entries),
              static_cast<long long>(totals.files), Mb(static_cast<double>(totals.bytes)),
              Seconds(gen));
  std::fflush(stdout);

  // The contenders take turns, so that a busy moment of the machine does
  // not fall on one of them only; the best of the rounds counts.
  ChildRun cp, headless;
  TmuxRun tmux;
  bool headless_ok = true, tmux_ok = true;
  uint64_t new_bytes = 0;
  fs::path headless_log = work / "headless.out";
  for (int round = 0; round < rounds; ++round) {
    bool first = round == 0;
    fs::remove_all(copy);
    Sync();
    ChildRun c = RunChild({"cp", "-r", old_root.string(), copy.string()});
    double cp_round = c.wall;
    KeepBest(&cp, c, first);
    fs::remove_all(copy);

    FreshDir(new_root);
    Sync();
    ChildRun h = RunChild({SelfPath(), "headless", old_root.string(), new_root.string(),
                           bin.string()}, headless_log.string());
    headless_ok = headless_ok && h.status == 0 && FirmsArrived(new_root, totals.firms);
    KeepBest(&headless, h, first);
    new_bytes = TreeBytes(new_root);

    FreshDir(new_root);
    Sync();
    TmuxRun t = RunInTmux(program, work, old_root, new_root);
    tmux_ok = tmux_ok && t.error.empty() && t.program.status == 0 &&
              FirmsArrived(new_root, totals.firms);
    if (!t.error.empty()) tmux.error = t.error;
    KeepBest(&tmux.program, t.program, first);
    tmux.terminal_bytes = std::max(tmux.terminal_bytes, t.terminal_bytes);
    fs::remove_all(new_root);
    std::printf("round %d: cp -r %.2f s, headless %.2f s, tmux %.2f s\n", round + 1, cp_round,
                h.wall, t.program.wall);
    std::fflush(stdout);
    if (!headless_ok || !tmux_ok) break;
  }

  double old_mb = Mb(static_cast<double>(totals.bytes));
  double new_mb = Mb(static_cast<double>(new_bytes));
  std::printf("new installation: %.1f MB (%.2f x the old one); best of %d round(s)\n\n", new_mb,
              new_mb / old_mb, rounds);
  std::printf("%-22s %9s %9s %10s %12s\n", "", "wall s", "cpu s", "peak MB", "MB written/s");
  std::printf("%-22s %9.2f %9.2f %10.1f %12.0f\n", "cp -r", cp.wall, cp.cpu,
              cp.max_rss_kb / 1024.0, old_mb / cp.wall);
  std::printf("%-22s %9.2f %9.2f %10.1f %12.0f %s\n", "headless", headless.wall, headless.cpu,
              headless.max_rss_kb / 1024.0, new_mb / headless.wall, headless_ok ? "" : "FAILED");
  std::printf("%-22s %9.2f %9.2f %10.1f %12.0f %s\n", "tmux 80x25", tmux.program.wall,
              tmux.program.cpu, tmux.program.max_rss_kb / 1024.0, new_mb / tmux.program.wall,
              tmux_ok ? "" : "FAILED");
  std::printf("\n");
  std::printf("headless / cp -r     : %5.2f x wall, %5.2f x cpu   (target <= 2)\n",
              headless.wall / cp.wall, headless.cpu / cp.cpu);
  std::printf("tmux / headless      : %5.2f x wall, %5.2f x cpu   (target <= 1.2)\n",
              tmux.program.wall / headless.wall, tmux.program.cpu / headless.cpu);
  std::printf("peak memory          : %5.1f MB headless, %.1f MB in tmux   (target < 32 MB)\n",
              headless.max_rss_kb / 1024.0, tmux.program.max_rss_kb / 1024.0);
  std::printf("bytes to the terminal: %5.2f MB   (target < 50 MB)\n",
              Mb(static_cast<double>(tmux.terminal_bytes)));
  if (!headless_ok) {
    std::printf("\nheadless run failed:\n");
    std::ifstream in(headless_log);
    std::printf("%s", std::string(std::istreambuf_iterator<char>(in), {}).c_str());
  }
  if (!tmux_ok) std::printf("\ntmux run failed (exit %d): %s\n", tmux.program.status,
                            tmux.error.c_str());
  return headless_ok && tmux_ok ? 0 : 1;
}

int Headless(const std::string& old_root, const std::string& new_root, const std::string& bin) {
  qz::KeepFreedHeapMemory();  // as the program's `main` does
  qz::fixture::OfficeRun run = qz::fixture::RunOfficeHeadless(old_root, new_root, bin);
  if (!run.finished) {
    std::printf("%s\n%s", run.error.c_str(), run.screen.c_str());
    return 2;
  }
  return run.exit_code;
}

int Usage() {
  std::fprintf(stderr,
               "usage: office_bench run [scale] [rounds] [directory] [program]\n"
               "       office_bench generate scale directory\n"
               "       office_bench headless old new bin\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.empty() || args[0] == "run") {
      double scale = args.size() > 1 ? std::atof(args[1].c_str()) : 1.0;
      int rounds = args.size() > 2 ? std::max(1, std::atoi(args[2].c_str())) : 3;
      // A directory of its own inside the one given: only that is removed.
      fs::path parent = args.size() > 3 ? fs::path(args[3]) : fs::temp_directory_path();
      fs::path work = parent / ("qz-office-bench-" + std::to_string(::getpid()));
      std::string program = args.size() > 4 ? args[4] : QZ_PROGRAM;
      if (scale <= 0) return Usage();
      int rc = 1;
      try {
        rc = Benchmark(scale, rounds, work, program);
      } catch (...) {
        fs::remove_all(work);
        throw;
      }
      fs::remove_all(work);
      return rc;
    }
    if (args[0] == "generate" && args.size() == 3) {
      qz::fixture::OfficeTotals t =
          qz::fixture::WriteOffice(args[2], qz::fixture::OfficeSize::Scaled(std::atof(args[1].c_str())));
      std::printf("%d firms, %lld entries, %lld bytes\n", t.firms,
                  static_cast<long long>(t.ledger_entries), static_cast<long long>(t.bytes));
      return 0;
    }
    if (args[0] == "headless" && args.size() == 4) return Headless(args[1], args[2], args[3]);
    if (args[0] == "measure" && args.size() >= 5 && args[3] == "--") {
      return Measure(args[1], args[2], std::vector<std::string>(args.begin() + 4, args.end()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "office_bench: %s\n", e.what());
    return 1;
  }
  return Usage();
}
