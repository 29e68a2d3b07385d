#pragma once

namespace flakmire {

// The main window's three timers.
enum class TimerId {
  Timer1,    // the game tick
  tmrDead,   // the gunner's death sequence
  tmrTrans,  // hides the mouse pointer after the mouse has rested
};

constexpr int TimerIntervalMs(TimerId timer) {
  switch (timer) {
    case TimerId::Timer1: return 1;  // as often as the platform allows
    case TimerId::tmrDead: return 2500;
    case TimerId::tmrTrans: return 4000;
  }
  return 0;
}

// Only the pointer timer runs from the start; the game enables the others.
constexpr bool TimerRunsAtStart(TimerId timer) { return timer == TimerId::tmrTrans; }

// Starts and stops the timers; the shell calls the game's handler when one comes due.
class Timers {
 public:
  virtual ~Timers() = default;

  // Enabling a timer that is already running does not restart its countdown.
  virtual void SetEnabled(TimerId timer, bool enabled) = 0;
};

}  // namespace flakmire
