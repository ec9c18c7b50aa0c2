#ifndef QZ_PLATFORM_CLOCK_H_
#define QZ_PLATFORM_CLOCK_H_

#include <cstdint>

namespace qz {

/// Local date and time as the program shows and stores it.
struct LocalTime {
  int year = 2019, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, hundredths = 0;
  int day_of_week = 2;  ///< 0 = Sunday
};

/// Time source and sleeping. The real clock sleeps; the virtual clock of the
/// tests advances at once.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  /// Milliseconds from an arbitrary start, never going back.
  virtual uint64_t MonotonicMs() = 0;
  virtual void SleepMs(int ms) = 0;
};

/// A clock for tests: starts at a fixed local time and moves only when the
/// program sleeps (or the test advances it).
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(LocalTime start = LocalTime{2019, 1, 2, 10, 0, 0, 0, 3});
  LocalTime Now() override;
  uint64_t MonotonicMs() override { return now_ms_; }
  void SleepMs(int ms) override;
  void Advance(uint64_t ms) { now_ms_ += ms; }
  /// Total milliseconds slept by the program.
  uint64_t slept_ms() const { return slept_ms_; }

 private:
  LocalTime start_;
  uint64_t now_ms_ = 0;
  uint64_t slept_ms_ = 0;
};

}  // namespace qz

#endif  // QZ_PLATFORM_CLOCK_H_
