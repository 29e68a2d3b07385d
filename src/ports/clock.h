#pragma once

namespace flakmire {

// The game's only source of time: the time of day in steps of one frame, and the calendar.
class Clock {
 public:
  virtual ~Clock() = default;

  // Seconds since midnight, advancing in steps of 1/64 s (one frame); it wraps to 0 at midnight.
  virtual float SecondsSinceMidnight() = 0;

  // Blocks until SecondsSinceMidnight() has moved on to its next step. Sleeps; never spins.
  virtual void SleepUntilNextTick() = 0;

  // Today's date plus the time of day, in days: the whole part counts days, the fraction is the
  // time of day.
  virtual double DateTimeNow() = 0;
};

}  // namespace flakmire
