#pragma once

// The loads the benchmarks measure a frame at, built once and restored before every run so that
// each run starts from the same sky: two made by hand, and three frames of seeded real plays.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "fakes/test_game.h"

namespace flakmire::bench {

constexpr double FrameSeconds = 0.0156;  // the game's frame: a tick of a 64 Hz clock

// A game with its tables and scene as they were when the load was kept.
struct Load {
  std::unique_ptr<testing::TestGame> t = std::make_unique<testing::TestGame>();
  Scene scene;
  Table<TrooperData> troopers;
  Table<BulletData> bullets;
  Table<CopterData> copters;
  Table<JetData> jets;
  Cheats cheats;
  float levelClock = 0, gunAngle = 0, wind = 0;
  // The clock and the random source, so that the frames after a restore are the same each time.
  float now = 0;
  std::optional<SeededRandom> random;
  // Put into the tables by hand: a frame must size its explosions before it is painted.
  bool unsized = false;

  void Keep() { Keep(*t); }
  void Keep(const testing::TestGame& from);
  void Restore();  // not timed: copies the kept tables and scene back
  // Restores the load and returns the scene as it is painted.
  const Scene& ToPaint();
};

// Level 1 in the middle of its helicopter phase, reached by playing 2,500 frames with a gunner
// who sweeps the gun and fires at every yield.
Load& TypicalLoad();

// The endless last level with 100 troopers, 10 helicopters, 10 jets and 2,000 shells, blood
// drops and explosions, put straight into the tables; the gunner keeps firing. The frame that
// sizes its explosions kills the troopers and adds their blood.
Load& StressLoad();

// A seeded play through the real rules with an aggressive gunner: he sweeps the gun from side to
// side with the arrow keys and fires the heaviest shell, the big one, at every yield.
// Invincibility keeps him alive, and FREE keeps his points as high as his score, which starts at
// a million, so the run goes on through the endless last level.
struct RealPlay {
  std::uint64_t seed = 1;
  bool bigExplosions = false;
};

// Plays from the start in `t` and calls `frame` after every frame, with its number (1 for the
// first), until it returns false. The gunner stays on `t`.
void Play(testing::TestGame& t, const RealPlay& play,
          const std::function<bool(const Game&, long frame)>& frame);

// Frames of real plays, found by bench/real_play: the most crowded of a play, the one that costs
// most to paint, and the one that costs most with Big Explosions on.
Load& CrowdedLoad();
Load& DearestLoad();
Load& BigExplosionsLoad();

// Every load, with the name its benchmarks carry.
inline constexpr std::pair<const char*, Load& (*)()> Loads[] = {
    {"Typical", TypicalLoad},
    {"Stress", StressLoad},
    {"Crowded", CrowdedLoad},
    {"Dearest", DearestLoad},
    {"BigExplosions", BigExplosionsLoad}};

int Shown(const Scene& scene);         // the things on show, aircraft to explosions
double RoundArea(const Scene& scene);  // px² of the shells, drops and explosions on show

// Runs the benchmarks named on the command line and, after each result, prints its processor time
// per frame as a share of the 15.6 ms frame. A benchmark sets the counter "frames" to the frames
// one of its iterations does.
int RunWithFrameShares(int argc, char** argv);

}  // namespace flakmire::bench
