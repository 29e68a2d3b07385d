#pragma once

#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/startup.h"

namespace flakmire::testing {

// A game on scripted ports, reset and ready for its first frame.
struct TestGame {
  ScriptedClock clock;
  ScriptedRandom random;
  FakeKeys keys;
  FakeWindow window;
  FakeTimers timers;
  FakeEventPump pump;
  FakeDialogs dialogs;
  FakeMusic music;
  Game g{Ports{clock, random, keys, window, timers, pump, dialogs, music, "/opt/flakmire"}};

  explicit TestGame(bool reset = true) {
    if (reset) ResetGame(g);
  }
};

// The level clock value that the next frame's step lands exactly on `target`.
float LevelClockBefore(float target);

}  // namespace flakmire::testing
