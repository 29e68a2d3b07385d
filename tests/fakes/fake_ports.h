#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "ports/ports.h"

namespace flakmire::testing {

// A clock that moves only when the game sleeps (one 1/64 s step) or when a test moves it.
class ScriptedClock final : public Clock {
 public:
  float now = 36000;  // 10:00 in the morning
  double dateTime = 46000.5;
  int sleeps = 0;

  float SecondsSinceMidnight() override { return now; }
  void SleepUntilNextTick() override {
    ++sleeps;
    now += 1.0f / 64;
  }
  double DateTimeNow() override { return dateTime; }
};

// Hands out queued numbers first, then `fallback` (never 0, so that no redraw loop can spin).
// With `seeded` set, it draws from a seeded generator once the queue is empty instead.
class ScriptedRandom final : public Random {
 public:
  std::deque<float> queue;
  float fallback = 0.5f;
  bool seeded = false;
  int draws = 0;

  float Rnd() override {
    ++draws;
    if (!queue.empty()) {
      const float v = queue.front();
      queue.pop_front();
      return v;
    }
    return seeded ? generator_.Rnd() : fallback;
  }
  void Randomize(float seed) override {
    if (seeded) generator_.Randomize(seed);
  }
  void Seed(std::uint64_t seed) {
    seeded = true;
    generator_ = SeededRandom(seed);
  }

 private:
  SeededRandom generator_{1};
};

class FakeKeys final : public KeyState {
 public:
  std::set<int> down;
  bool IsDown(int keyCode) const override { return down.count(keyCode) != 0; }
};

class FakeWindow final : public MainWindow {
 public:
  std::string caption;
  Pointer pointer = Pointer::Normal;
  int shows = 0;
  int presents = 0;

  void Show() override { ++shows; }
  void SetCaption(std::string_view c) override { caption = c; }
  void SetPointer(Pointer p) override { pointer = p; }
  void Present() override { ++presents; }
};

// Timers on a scripted millisecond clock: AdvanceMs fires each enabled timer that comes due.
class FakeTimers final : public Timers {
 public:
  std::function<void(TimerId)> onFire;

  void SetEnabled(TimerId timer, bool enabled) override {
    State& s = state_[timer];
    if (enabled && !s.enabled) s.dueAtMs = nowMs_ + TimerIntervalMs(timer);
    s.enabled = enabled;
  }
  bool IsEnabled(TimerId timer) { return state_[timer].enabled; }

  void AdvanceMs(long ms) {
    const long end = nowMs_ + ms;
    for (;;) {
      TimerId next{};
      long due = end + 1;
      for (auto& [id, s] : state_) {
        if (s.enabled && s.dueAtMs < due) {
          due = s.dueAtMs;
          next = id;
        }
      }
      if (due > end) break;
      nowMs_ = due;
      state_[next].dueAtMs += TimerIntervalMs(next);
      if (onFire) onFire(next);
    }
    nowMs_ = end;
  }

 private:
  struct State {
    bool enabled = false;
    long dueAtMs = 0;
  };
  std::map<TimerId, State> state_;
  long nowMs_ = 0;
};

class FakeEventPump final : public EventPump {
 public:
  std::function<void()> onYield;
  int yields = 0;
  void ProcessEvents() override {
    ++yields;
    if (onYield) onYield();
  }
};

class FakeDialogs final : public Dialogs {
 public:
  int cheatPanels = 0;
  void ShowCheatPanel() override { ++cheatPanels; }
};

class FakeMusic final : public Music {
 public:
  std::vector<std::string> played;
  void PlayOnce(const std::string& path) override { played.push_back(path); }
};

}  // namespace flakmire::testing
