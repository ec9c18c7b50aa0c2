#include "platform/terminal_console.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "text/cp852.h"

namespace qz {

namespace {

// Switches the terminal into the program's modes: alternate screen (the
// user's screen comes back at the end), title saved on the terminal's title
// stack, no auto-wrap (the bottom-right cell must not scroll), cursor hidden,
// SGR mouse reports of presses and releases, bracketed paste.
constexpr std::string_view kEnterModes =
    "\x1b[?1049h\x1b[22;0t\x1b[?7l\x1b[?25l\x1b[?1000h\x1b[?1006h\x1b[?2004h";

// Undoes `kEnterModes`. It starts with CAN, which ends any escape sequence a
// frame cut short left open, so the terminal reads the rest as meant.
constexpr std::string_view kLeaveModes =
    "\x18\x1b[0m\x1b[?2004l\x1b[?1006l\x1b[?1000l\x1b[0 q\x1b[?25h\x1b[?7h\x1b[?1049l"
    "\x1b[23;0t";

constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGWINCH};
constexpr std::size_t kSignalCount = sizeof(kHandledSignals) / sizeof(kHandledSignals[0]);

// Most input records kept waiting; beyond it a flood of input is dropped.
constexpr std::size_t kMaxQueued = 1024;

// What the signal handlers need, filled before they are installed.
struct SignalShared {
  int in_fd = -1;
  int out_fd = -1;
  int wake_fd = -1;
  termios saved{};
};

// The one process-wide pointer of the program: a signal handler cannot be
// handed the console, so it finds the descriptors, the saved terminal
// settings and the wake-up pipe here. Set while a console is open, null
// otherwise; only one console can be open at a time.
std::atomic<SignalShared*> g_signal_shared{nullptr};

void WriteAll(int fd, std::string_view bytes) {
  // Bounded: a terminal that takes nothing must not hang the exit.
  for (int attempts = 0; !bytes.empty() && attempts < 1000; ++attempts) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
      return;
    } else if (n < 0 && errno == EAGAIN) {
      pollfd p{fd, POLLOUT, 0};
      poll(&p, 1, 10);
    }
  }
}

// SIGINT, SIGTERM, SIGHUP: give the terminal back, then let the signal end
// the process as it would have (the handler is installed one-shot).
void OnEndingSignal(int sig) {
  const int saved_errno = errno;
  if (SignalShared* s = g_signal_shared.load()) {
    WriteAll(s->out_fd, kLeaveModes);
    tcsetattr(s->in_fd, TCSANOW, &s->saved);
  }
  raise(sig);
  errno = saved_errno;
}

// SIGWINCH: wake the waiting loop, which reads the new size.
void OnResize(int) {
  const int saved_errno = errno;
  if (SignalShared* s = g_signal_shared.load()) {
    char c = 'w';
    [[maybe_unused]] ssize_t n = write(s->wake_fd, &c, 1);
  }
  errno = saved_errno;
}

std::string Base64(std::string_view in) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((in.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < in.size(); i += 3) {
    uint32_t v = static_cast<uint8_t>(in[i]) << 16;
    if (i + 1 < in.size()) v |= static_cast<uint8_t>(in[i + 1]) << 8;
    if (i + 2 < in.size()) v |= static_cast<uint8_t>(in[i + 2]);
    out.push_back(kDigits[(v >> 18) & 63]);
    out.push_back(kDigits[(v >> 12) & 63]);
    out.push_back(i + 1 < in.size() ? kDigits[(v >> 6) & 63] : '=');
    out.push_back(i + 2 < in.size() ? kDigits[v & 63] : '=');
  }
  return out;
}

bool WindowSize(int fd, int* cols, int* rows) {
  winsize ws{};
  if (ioctl(fd, TIOCGWINSZ, &ws) != 0 || ws.ws_col == 0 || ws.ws_row == 0) return false;
  *cols = ws.ws_col;
  *rows = ws.ws_row;
  return true;
}

}  // namespace

struct TerminalConsole::Os {
  int in_fd = -1;
  int out_fd = -1;
  int frame_fd = -1;  // a non-blocking descriptor of the same terminal, or out_fd
  bool own_frame_fd = false;
  int wake[2] = {-1, -1};
  SignalShared shared;
  struct sigaction old_actions[kSignalCount] = {};
  bool handlers_installed = false;
};

std::unique_ptr<TerminalConsole> TerminalConsole::Open(Clock& clock, std::string* error) {
  return OpenOn(clock, STDIN_FILENO, STDOUT_FILENO, error);
}

std::unique_ptr<TerminalConsole> TerminalConsole::OpenOn(Clock& clock, int in_fd, int out_fd,
                                                         std::string* error) {
  if (!isatty(in_fd) || !isatty(out_fd)) {
    *error = "Program działa tylko w oknie terminala: wejście lub wyjście nie jest terminalem.";
    return nullptr;
  }
  int cols = 0, rows = 0;
  if (!WindowSize(out_fd, &cols, &rows)) {
    *error = "Nie można odczytać rozmiaru okna terminala.";
    return nullptr;
  }
  if (cols < Screen::kCols || rows < Screen::kRows) {
    *error = "Okno terminala ma " + std::to_string(cols) + " x " + std::to_string(rows) +
             " znaków; program potrzebuje co najmniej 80 x 25. Powiększ okno i uruchom "
             "program ponownie.";
    return nullptr;
  }
  if (g_signal_shared.load() != nullptr) {
    *error = "Terminal jest już używany przez program.";
    return nullptr;
  }

  auto os = std::make_unique<Os>();
  os->in_fd = in_fd;
  os->out_fd = out_fd;
  if (tcgetattr(in_fd, &os->shared.saved) != 0) {
    *error = std::string("Nie można odczytać ustawień terminala: ") + std::strerror(errno);
    return nullptr;
  }
  if (pipe(os->wake) != 0) {
    *error = std::string("Nie można przygotować terminala: ") + std::strerror(errno);
    return nullptr;
  }
  for (int fd : os->wake) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  // Frames go through a descriptor of their own in non-blocking mode, so a
  // slow terminal never stops the program; the shared descriptor (and the
  // shell's) keeps its mode.
  if (const char* name = ttyname(out_fd)) {
    int fd = open(name, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
      os->frame_fd = fd;
      os->own_frame_fd = true;
    }
  }
  if (os->frame_fd < 0) os->frame_fd = out_fd;

  termios raw = os->shared.saved;
  raw.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                        ICRNL | IXON);
  raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  raw.c_cflag = (raw.c_cflag & ~static_cast<tcflag_t>(CSIZE | PARENB)) | CS8;
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(in_fd, TCSANOW, &raw) != 0) {
    *error = std::string("Nie można przełączyć terminala: ") + std::strerror(errno);
    if (os->own_frame_fd) close(os->frame_fd);
    close(os->wake[0]);
    close(os->wake[1]);
    return nullptr;
  }
  WriteAll(out_fd, kEnterModes);

  os->shared.in_fd = in_fd;
  os->shared.out_fd = out_fd;
  os->shared.wake_fd = os->wake[1];
  g_signal_shared.store(&os->shared);
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    struct sigaction sa {};
    sigemptyset(&sa.sa_mask);
    if (kHandledSignals[i] == SIGWINCH) {
      sa.sa_handler = OnResize;
      sa.sa_flags = SA_RESTART;
    } else {
      sa.sa_handler = OnEndingSignal;
      sa.sa_flags = SA_RESETHAND;
    }
    sigaction(kHandledSignals[i], &sa, &os->old_actions[i]);
  }
  os->handlers_installed = true;

  std::unique_ptr<TerminalConsole> console(new TerminalConsole(clock, std::move(os)));
  console->output_.SetSize(cols, rows);
  return console;
}

TerminalConsole::TerminalConsole(Clock& clock, std::unique_ptr<Os> os)
    : clock_(clock),
      os_(std::move(os)),
      output_(clock, [fd = os_->frame_fd](std::string_view bytes) -> long {
        for (;;) {
          ssize_t n = write(fd, bytes.data(), bytes.size());
          if (n >= 0) return static_cast<long>(n);
          if (errno == EINTR) continue;
          if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
          return -1;
        }
      }) {}

TerminalConsole::~TerminalConsole() { Restore(); }

void TerminalConsole::Restore() {
  if (!active_) return;
  active_ = false;
  // Let the last frame reach the terminal, but never hang on it.
  output_.PresentNow(screen_);
  for (int i = 0; i < 20 && output_.HasUnsent() && !output_.broken(); ++i) {
    pollfd p{os_->frame_fd, POLLOUT, 0};
    poll(&p, 1, 10);
    output_.Flush();
  }
  WriteAll(os_->out_fd, kLeaveModes);
  tcsetattr(os_->in_fd, TCSANOW, &os_->shared.saved);
  if (os_->handlers_installed) {
    for (std::size_t i = 0; i < kSignalCount; ++i) {
      sigaction(kHandledSignals[i], &os_->old_actions[i], nullptr);
    }
    os_->handlers_installed = false;
  }
  g_signal_shared.store(nullptr);
  close(os_->wake[0]);
  close(os_->wake[1]);
  if (os_->own_frame_fd) close(os_->frame_fd);
  for (const Text& line : printed_) WriteAll(os_->out_fd, Cp852ToUtf8(line) + "\n");
}

void TerminalConsole::CheckSize() {
  int cols = 0, rows = 0;
  if (WindowSize(os_->out_fd, &cols, &rows)) output_.SetSize(cols, rows);
}

void TerminalConsole::Pump(int timeout_ms) {
  if (!active_ || lost_) return;
  pollfd fds[3] = {{os_->in_fd, POLLIN, 0}, {os_->wake[0], POLLIN, 0}, {os_->frame_fd, 0, 0}};
  if (output_.HasUnsent()) fds[2].events = POLLOUT;
  const int ready = poll(fds, 3, timeout_ms);
  const uint64_t now = clock_.MonotonicMs();
  if (ready > 0) {
    if (fds[1].revents & POLLIN) {
      char drain[64];
      while (read(os_->wake[0], drain, sizeof drain) > 0) {
      }
      CheckSize();
    }
    if (fds[0].revents & POLLIN) {
      char buf[4096];
      ssize_t n = read(os_->in_fd, buf, sizeof buf);
      if (n > 0) decoder_.Feed(std::string_view(buf, static_cast<std::size_t>(n)), now);
      else if (n == 0 || (errno != EINTR && errno != EAGAIN)) lost_ = true;
    } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      lost_ = true;
    }
    if (fds[2].revents & POLLOUT) output_.Flush();
  } else if (ready < 0 && errno == EINTR) {
    // Most likely SIGWINCH; the pipe is read on the next pass.
  }
  decoder_.CheckTimeout(now);
  TakeDecoded();
}

void TerminalConsole::TakeDecoded() {
  TerminalEvent ev;
  while (decoder_.Next(&ev)) {
    InputRecord r;
    switch (ev.kind) {
      case TerminalEvent::Kind::kKey:
        r.key = ev.key;
        break;
      case TerminalEvent::Kind::kMouse:
        r.kind = InputRecord::Kind::kMouse;
        r.mouse = ev.mouse;
        break;
      case TerminalEvent::Kind::kPaste:
        // The pasted text goes to the clipboard, and the key the event reader
        // turns into its paste command (Shift+Ins, Num Lock on) fetches it.
        clipboard_ = ev.paste;
        r.key = KeyStroke{key::kIns, static_cast<uint8_t>(shift::kShift | shift::kNumLock)};
        break;
    }
    if (queue_.size() < kMaxQueued) queue_.push_back(r);
  }
}

bool TerminalConsole::ReadInput(InputRecord* out) {
  if (queue_.empty()) Pump(0);
  if (queue_.empty()) return false;
  *out = queue_.front();
  queue_.pop_front();
  return true;
}

bool TerminalConsole::InputPending() {
  if (queue_.empty()) Pump(0);
  return !queue_.empty();
}

void TerminalConsole::WaitForInput(int ms) {
  if (!active_) throw TerminalLost("the terminal was handed back; no input can come");
  Pump(0);
  output_.PresentNow(screen_);
  const uint64_t start = clock_.MonotonicMs();
  while (queue_.empty()) {
    if (lost_) throw TerminalLost("the terminal is gone; no input can come");
    const uint64_t now = clock_.MonotonicMs();
    int timeout = -1;
    if (ms >= 0) {
      const uint64_t elapsed = now - start;
      if (elapsed >= static_cast<uint64_t>(ms)) return;
      timeout = ms - static_cast<int>(elapsed);
    }
    const int esc = decoder_.MsUntilTimeout(now);
    if (esc >= 0 && (timeout < 0 || esc < timeout)) timeout = esc;
    Pump(timeout);
    // A resize or a terminal that took the last frame: show what is due.
    if (output_.FrameDue(screen_)) output_.PresentNow(screen_);
  }
}

void TerminalConsole::Present() {
  if (!active_) return;
  const uint64_t now = clock_.MonotonicMs();
  // Look at the terminal (size, typed keys, output room) now and then only:
  // the program calls this very often while it works.
  if (now - last_pump_ms_ >= TerminalOutput::kFrameIntervalMs) {
    last_pump_ms_ = now;
    Pump(0);
  }
  output_.Present(screen_);
}

void TerminalConsole::Beep(int, int) {
  if (active_) output_.SendRaw("\x07");
}

void TerminalConsole::SetClipboard(const Text& text) {
  clipboard_ = text;
  if (active_) output_.SendRaw("\x1b]52;c;" + Base64(Cp852ToUtf8(text)) + "\x07");
}

void TerminalConsole::PrintLine(const Text& line) {
  printed_.push_back(line);
  int row = screen_.cursor_row();
  screen_.Write(screen_.cursor_col(), row, line, 0x07);
  if (row == Screen::kRows) {
    screen_.ScrollUp(1, 1, Screen::kCols, Screen::kRows, 0x07);
  } else {
    ++row;
  }
  screen_.SetCursor(1, row);
}

}  // namespace qz
