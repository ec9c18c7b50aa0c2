#include "platform/terminal_console.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "text/cp852.h"

namespace qz {
namespace {

// The console waits on real descriptors, so it gets a real clock.
class SteadyClock : public Clock {
 public:
  LocalTime Now() override { return LocalTime{}; }
  uint64_t MonotonicMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
  void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

// A pseudo-terminal: the test plays the terminal on `master`, the console
// runs on `slave`.
struct Pty {
  int master = -1, slave = -1;

  explicit Pty(int cols = 80, int rows = 25) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    Resize(cols, rows);
  }
  ~Pty() {
    if (slave >= 0) close(slave);
    if (master >= 0) close(master);
  }
  void Resize(int cols, int rows) {
    winsize ws{};
    ws.ws_col = static_cast<unsigned short>(cols);
    ws.ws_row = static_cast<unsigned short>(rows);
    ioctl(master, TIOCSWINSZ, &ws);
  }
  void Type(std::string_view bytes) const {
    ASSERT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  /// Everything the console sent so far (waits briefly for it).
  std::string Read() const {
    std::string out;
    char buf[4096];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, 50) > 0) {
      ssize_t n = read(master, buf, sizeof buf);
      if (n <= 0) break;
      out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
  }
  bool Canonical() const {
    termios t{};
    tcgetattr(slave, &t);
    return t.c_lflag & ICANON;
  }
};

InputRecord Next(TerminalConsole& c) {
  c.WaitForInput(2000);
  InputRecord r;
  EXPECT_TRUE(c.ReadInput(&r));
  return r;
}

TEST(TerminalConsole, RefusesWhatIsNotATerminalOrTooSmall) {
  SteadyClock clock;
  std::string error;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  EXPECT_EQ(TerminalConsole::OpenOn(clock, fds[0], fds[1], &error), nullptr);
  EXPECT_NE(error.find("terminal"), std::string::npos) << error;
  close(fds[0]);
  close(fds[1]);

  Pty pty(79, 25);
  ASSERT_GE(pty.slave, 0);
  EXPECT_EQ(TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error), nullptr);
  EXPECT_NE(error.find("79 x 25"), std::string::npos) << error;
  EXPECT_TRUE(pty.Canonical());  // left untouched
  EXPECT_EQ(pty.Read(), "");
}

TEST(TerminalConsole, TakesOverTheTerminalAndGivesItBack) {
  SteadyClock clock;
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  std::string error;
  auto console = TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error);
  ASSERT_NE(console, nullptr) << error;
  std::string sent = pty.Read();
  EXPECT_NE(sent.find("\x1b[?1049h"), std::string::npos);
  EXPECT_NE(sent.find("\x1b[?1006h"), std::string::npos);
  EXPECT_NE(sent.find("\x1b[?2004h"), std::string::npos);
  EXPECT_FALSE(pty.Canonical());

  // A second console cannot take the same process's terminal handling.
  EXPECT_EQ(TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error), nullptr);

  console->screen().SetTitle("qzTarvo - Konwerter 2018-2019"_cp);
  console->screen().Write(1, 1, "Łódź"_cp, 0x1F);
  console->WaitForInput(0);
  sent = pty.Read();
  EXPECT_NE(sent.find("\x1b[0;97;44mŁódź"), std::string::npos);
  EXPECT_NE(sent.find("\x1b]2;qzTarvo - Konwerter 2018-2019\x07"), std::string::npos);

  pty.Type("\x1b[1;5D\xc4\x85");
  EXPECT_EQ(Next(*console).key, (KeyStroke{key::kCtrlLeft, 0x24}));
  EXPECT_EQ(Next(*console).key, (KeyStroke{0x00A5, 0x20}));

  // A lone Esc is delivered once the short wait for a sequence has passed.
  pty.Type("\x1b");
  const uint64_t start = clock.MonotonicMs();
  EXPECT_EQ(Next(*console).key.code, key::kEsc);
  EXPECT_LT(clock.MonotonicMs() - start, 1000u);

  pty.Type("\x1b[200~Krak\xc3\xb3w\x1b[201~");
  EXPECT_EQ(Next(*console).key, (KeyStroke{key::kIns, 0x23}));
  EXPECT_EQ(console->Clipboard(), "Kraków"_cp);

  pty.Type("\x1b[<0;5;3M");
  InputRecord m = Next(*console);
  EXPECT_EQ(m.kind, InputRecord::Kind::kMouse);
  EXPECT_EQ(m.mouse.buttons, 1);
  EXPECT_EQ(m.mouse.column, 4);
  EXPECT_EQ(m.mouse.row, 2);
  EXPECT_FALSE(console->InputPending());

  console->SetClipboard("ł"_cp);
  console->Beep(500, 288);
  sent = pty.Read();
  EXPECT_NE(sent.find("\x1b]52;c;xYI=\x07"), std::string::npos);
  EXPECT_NE(sent.find("\x07"), std::string::npos);

  console->PrintLine("Program do kopiowania"_cp);
  console->Restore();
  sent = pty.Read();
  EXPECT_NE(sent.find("\x1b[?1049l"), std::string::npos);
  EXPECT_NE(sent.find("\x1b[?2004l"), std::string::npos);
  EXPECT_NE(sent.find("\x1b[?25h"), std::string::npos);
  // The printed line is shown again on the normal screen.
  EXPECT_EQ(sent.substr(sent.size() - 23), "Program do kopiowania\r\n");
  EXPECT_TRUE(pty.Canonical());

  console->Restore();  // a second time does nothing
  EXPECT_EQ(pty.Read(), "");
  EXPECT_THROW(console->WaitForInput(10), TerminalLost);
  console.reset();
  EXPECT_EQ(pty.Read(), "");
}

TEST(TerminalConsole, ResizeShowsTheRequestAndRedraws) {
  SteadyClock clock;
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  std::string error;
  auto console = TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error);
  ASSERT_NE(console, nullptr) << error;
  console->screen().Write(1, 1, "Nagłówek"_cp, 0x0A);
  console->WaitForInput(0);
  pty.Read();

  // The pty is not this process's controlling terminal: send the signal
  // the kernel would.
  pty.Resize(70, 25);
  raise(SIGWINCH);
  console->WaitForInput(30);
  EXPECT_NE(pty.Read().find("Powiększ okno terminala do 80 x 25"), std::string::npos);

  pty.Resize(80, 25);
  raise(SIGWINCH);
  console->WaitForInput(30);
  std::string sent = pty.Read();
  EXPECT_NE(sent.find("\x1b[2J"), std::string::npos);
  EXPECT_NE(sent.find("Nagłówek"), std::string::npos);
}

TEST(TerminalConsole, ClosedTerminalEndsTheWait) {
  SteadyClock clock;
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  std::string error;
  auto console = TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error);
  ASSERT_NE(console, nullptr) << error;
  close(pty.master);
  pty.master = -1;
  EXPECT_THROW(console->WaitForInput(-1), TerminalLost);
}

TEST(TerminalConsole, EndingSignalRestoresTheTerminal) {
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SteadyClock clock;
    std::string error;
    auto console = TerminalConsole::OpenOn(clock, pty.slave, pty.slave, &error);
    if (!console) _exit(2);
    console->screen().Write(1, 1, "praca", 0x07);
    console->WaitForInput(0);
    raise(SIGTERM);
    _exit(3);  // not reached: the signal ends the process
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  std::string sent = pty.Read();
  EXPECT_NE(sent.find("praca"), std::string::npos);
  EXPECT_NE(sent.find("\x1b[?1049l"), std::string::npos);
  EXPECT_TRUE(pty.Canonical());
}

}  // namespace
}  // namespace qz
