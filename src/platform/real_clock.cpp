#include "platform/real_clock.h"

#include <time.h>

#include <chrono>
#include <thread>

namespace qz {

LocalTime RealClock::Now() {
  struct timespec ts;
  ::clock_gettime(CLOCK_REALTIME, &ts);
  struct tm tm{};
  ::localtime_r(&ts.tv_sec, &tm);
  LocalTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  // A leap second shows as the last second of its minute.
  t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
  t.hundredths = static_cast<int>(ts.tv_nsec / 10000000);
  t.day_of_week = tm.tm_wday;
  return t;
}

uint64_t RealClock::MonotonicMs() {
  auto d = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

void RealClock::SleepMs(int ms) {
  if (ms <= 0) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace qz
