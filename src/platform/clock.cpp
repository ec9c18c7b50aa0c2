#include "platform/clock.h"

namespace qz {

VirtualClock::VirtualClock(LocalTime start) : start_(start) {}

void VirtualClock::SleepMs(int ms) {
  if (ms <= 0) return;
  now_ms_ += static_cast<uint64_t>(ms);
  slept_ms_ += static_cast<uint64_t>(ms);
}

LocalTime VirtualClock::Now() {
  // Only the time of day moves; tests never run across midnight.
  LocalTime t = start_;
  uint64_t total_cs = (uint64_t(t.hour) * 3600 + t.minute * 60 + t.second) * 100 +
                      t.hundredths + now_ms_ / 10;
  t.hundredths = static_cast<int>(total_cs % 100);
  uint64_t s = total_cs / 100;
  t.second = static_cast<int>(s % 60);
  t.minute = static_cast<int>((s / 60) % 60);
  t.hour = static_cast<int>((s / 3600) % 24);
  return t;
}

}  // namespace qz
