#ifndef QZ_PLATFORM_REAL_CLOCK_H_
#define QZ_PLATFORM_REAL_CLOCK_H_

#include "platform/clock.h"

namespace qz {

/// The system clock: local date and time of the machine, a steady
/// millisecond counter, and real sleeping.
class RealClock : public Clock {
 public:
  LocalTime Now() override;
  uint64_t MonotonicMs() override;
  void SleepMs(int ms) override;
};

}  // namespace qz

#endif  // QZ_PLATFORM_REAL_CLOCK_H_
