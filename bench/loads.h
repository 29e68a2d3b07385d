#pragma once

// The two loads the benchmarks measure a frame at, built once and restored before every run so
// that each run starts from the same sky.

#include <memory>

#include "fakes/test_game.h"

namespace flakmire::bench {

constexpr double FrameSeconds = 0.0156;  // the game's frame: a tick of a 64 Hz clock

// A game with its tables and scene as they were when the load was set up.
struct Load {
  std::unique_ptr<testing::TestGame> t = std::make_unique<testing::TestGame>();
  Scene scene;
  Table<TrooperData> troopers;
  Table<BulletData> bullets;
  Table<CopterData> copters;
  Table<JetData> jets;
  float levelClock = 0, gunAngle = 0, wind = 0;

  void Keep();
  void Restore();       // not timed: copies the kept tables and scene back
  int Objects() const;  // the things on show, aircraft to explosions
};

// Level 1 in the middle of its helicopter phase, reached by playing 2,500 frames with a gunner
// who sweeps the gun and fires at every yield.
Load& TypicalLoad();

// The endless last level with 100 troopers, 10 helicopters, 10 jets and 2,000 shells, blood
// drops and explosions, put straight into the tables; the gunner keeps firing.
Load& StressLoad();

// Runs the benchmarks named on the command line and, after each result, prints its processor time
// per frame as a share of the 15.6 ms frame. A benchmark sets the counter "frames" to the frames
// one of its iterations does.
int RunWithFrameShares(int argc, char** argv);

}  // namespace flakmire::bench
