#ifndef QZ_TESTS_SUPPORT_CHILD_PROCESS_H_
#define QZ_TESTS_SUPPORT_CHILD_PROCESS_H_

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace qz {

/// Runs a function in a forked process, for tests of what other instances
/// of the program see. `Start` forks; the child waits for `Go` (unless
/// started with `go_now`), runs the function, reports its result (0..255)
/// and then holds on (keeping its files and locks) until `Finish`.
class ChildProcess {
 public:
  explicit ChildProcess(std::function<int()> body, bool go_now = true) {
    if (::pipe(up_) != 0 || ::pipe(down_) != 0 || ::pipe(go_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      char c;
      if (!go_now) (void)!::read(go_[0], &c, 1);
      char r = static_cast<char>(body());
      (void)!::write(up_[1], &r, 1);
      (void)!::read(down_[0], &c, 1);
      ::_exit(0);
    }
  }
  ~ChildProcess() {
    Finish();
    for (int* p : {up_, down_, go_}) {
      ::close(p[0]);
      ::close(p[1]);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  /// Lets a child started with `go_now` false run its function.
  void Go() { (void)!::write(go_[1], "g", 1); }
  /// Waits until the function returned; its result, or -1 when the child died.
  int Result() {
    if (has_result_) return result_;
    char r = 0;
    result_ = ::read(up_[0], &r, 1) == 1 ? static_cast<unsigned char>(r) : -1;
    has_result_ = true;
    return result_;
  }
  /// Lets the child end (releasing what it holds) and reaps it.
  void Finish() {
    if (pid_ <= 0) return;
    (void)!::write(down_[1], "x", 1);
    int st = 0;
    ::waitpid(pid_, &st, 0);
    pid_ = -1;
  }

 private:
  int up_[2] = {-1, -1};
  int down_[2] = {-1, -1};
  int go_[2] = {-1, -1};
  pid_t pid_ = -1;
  int result_ = -1;
  bool has_result_ = false;
};

}  // namespace qz

#endif  // QZ_TESTS_SUPPORT_CHILD_PROCESS_H_
