// One whole level through the game loop on a seeded random source: helicopters, jets, troopers
// and bombs come at the rates their odds imply, and the same seed plays the same level.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fakes/test_game.h"
#include "game/game_loop.h"

namespace flakmire::testing {
namespace {

struct LevelCounts {
  int copters = 0, jets = 0, troopers = 0, bombs = 0;
  long copterSteps = 0;          // helicopter steps: each is one chance to drop a trooper
  long bombChances = 0;          // jet steps with the release offset inside the window
  std::vector<float> trooperXs;  // where everybody ended up
  friend bool operator==(const LevelCounts&, const LevelCounts&) = default;
};

// Newcomers are told apart from the old hands by what no earlier frame could leave behind: an
// aircraft still on its start line, a trooper or bomb that hasn't fallen a single frame yet.
bool NewAircraft(float X, float XVel) {
  return (X == -150 && XVel > 0) || (X == 944 && XVel < 0);
}

LevelCounts PlayLevel(std::uint64_t seed) {
  TestGame t;
  t.random.Seed(seed);
  // A bomb on the gun must not end the phases early; frames go unpaced only while Points is 0.
  t.g.cheats.Set(Cheat::Invincibility, true);
  t.g.Points = 100000;
  LevelCounts counts;
  Game& g = t.g;
  std::vector<bool> jetFlew;
  for (int frame = 1; frame <= 8001; ++frame) {
    jetFlew.assign(static_cast<std::size_t>(g.Jets.UpperBound()) + 1, false);
    for (int i = 1; i <= g.Jets.UpperBound(); ++i) jetFlew[i] = g.Jets[i].Active;
    for (int i = 1; i <= g.Copters.UpperBound(); ++i) counts.copterSteps += g.Copters[i].Active;

    RunFrame(g);

    for (int i = 1; i <= g.Copters.UpperBound(); ++i) {
      counts.copters += g.Copters[i].Active && NewAircraft(g.Copters[i].X, g.Copters[i].XVel);
    }
    for (int i = 1; i <= g.Jets.UpperBound(); ++i) {
      const JetData& jet = g.Jets[i];
      if (!jet.Active) continue;
      if (NewAircraft(jet.X, jet.XVel)) {
        ++counts.jets;
      } else if (i < static_cast<int>(jetFlew.size()) && jetFlew[i]) {
        const long offset = std::lrint((jet.X + 40 - 396) * (jet.XVel > 0 ? 1.0f : -1.0f));
        counts.bombChances += g.BombMinOffset < offset && offset < g.BombMaxOffset;
      }
    }
    for (int i = 1; i <= g.Troopers.UpperBound(); ++i) {
      const TrooperData& trooper = g.Troopers[i];
      counts.troopers += trooper.Active && trooper.ChuteState == ChuteClosed && trooper.YVel == 0;
    }
    for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
      const BulletData& b = g.Bullets[i];
      counts.bombs += b.Active && b.Kind == Bomb && b.YVel == 0;
    }
  }
  EXPECT_EQ(g.Level, 1) << "exactly one level";
  EXPECT_FALSE(g.Dead);
  for (int i = 1; i <= g.Troopers.UpperBound(); ++i) counts.trooperXs.push_back(g.Troopers[i].X);
  return counts;
}

// n chances of 1 in `odds` each: the count lies within four standard deviations of the mean.
void ExpectRate(int count, double n, double odds, const char* what) {
  const double p = 1 / odds;
  const double mean = n * p, sigma = std::sqrt(n * p * (1 - p));
  EXPECT_GE(count, mean - 4 * sigma) << what << ": " << n << " chances";
  EXPECT_LE(count, mean + 4 * sigma) << what << ": " << n << " chances";
}

TEST(LevelScenario, ComesAtTheRatesOfItsOddsAndPlaysTheSameForTheSameSeed) {
  const LevelCounts counts = PlayLevel(20240611);

  // Helicopters may start in frames 1 to 5000 at 1 in 250: 20 +- 4 x 4.5, so 3 to 37.
  ExpectRate(counts.copters, 5000, 250, "helicopters");
  // Jets in frames 5501 to 7500 at 1 in 250: 8 +- 4 x 2.8, so 0 to 19.
  ExpectRate(counts.jets, 2000, 250, "jets");
  // Every helicopter step drops a trooper at 1 in 450. A helicopter crosses in 1094 / speed
  // frames, about 680 on average, so some 13000 steps and 30 troopers are expected.
  EXPECT_GT(counts.copterSteps, counts.copters * 500L);
  ExpectRate(counts.troopers, static_cast<double>(counts.copterSteps), 450, "troopers");
  // Each jet step inside the bombing window releases a bomb at 1 in 400. Landing bombs narrow
  // the window, so the chances fall well short of the jets' steps.
  EXPECT_GT(counts.bombChances, 400);
  ExpectRate(counts.bombs, static_cast<double>(counts.bombChances), 400, "bombs");

  EXPECT_EQ(PlayLevel(20240611), counts);
}

}  // namespace
}  // namespace flakmire::testing
