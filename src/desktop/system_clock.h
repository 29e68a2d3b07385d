#pragma once

#include <chrono>

#include "ports/clock.h"

namespace flakmire {

// The real clock. The time of day is read from the wall clock once, at start, and then advanced
// by the monotonic clock, so that play goes on smoothly across midnight and clock changes.
class SystemClock final : public Clock {
 public:
  SystemClock();

  float SecondsSinceMidnight() override;
  void SleepUntilNextTick() override;
  double DateTimeNow() override;

 private:
  long long TicksNow() const;  // 1/64 s since midnight before the start

  std::chrono::steady_clock::time_point start_;
  double startSecondsOfDay_ = 0;
};

}  // namespace flakmire
