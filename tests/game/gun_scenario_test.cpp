// A few hundred frames of play through the frame loop: the gun turns right while the player
// presses B, V, C and X, the key events arriving at the event pump's yields as in the game.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "fakes/test_game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/projectiles.h"

namespace flakmire::testing {
namespace {

struct Shot {
  int frame, kind, cost;
  float angle;
  friend bool operator==(const Shot&, const Shot&) = default;
};

std::ostream& operator<<(std::ostream& os, const Shot& s) {
  return os << "{" << s.frame << ", " << s.kind << ", " << s.cost << ", " << s.angle << "}";
}

TEST(GunScenario, TurnsFiresEveryKindAndTheHeavyShellsComeDown) {
  TestGame t;
  t.g.Points = 300;
  int frame = 0;
  // Yields come every fourth frame. X at 52 arrives while the barrel is still coming back.
  const std::map<int, int> presses = {{16, key_code::B},
                                      {32, key_code::V},
                                      {48, key_code::C},
                                      {52, key_code::X},
                                      {64, key_code::X}};
  t.keys.down = {key_code::Right};
  t.pump.onYield = [&] {
    if (frame == 20) t.keys.down.clear();
    if (auto press = presses.find(frame); press != presses.end()) Form_KeyDown(t.g, press->second);
  };

  std::vector<Shot> shots;
  std::map<int, int> slotOf;           // shell kind -> its slot
  std::map<int, BulletData> lastSeen;  // shell kind -> the shell in its last frame
  std::vector<BulletData> bursts;
  for (frame = 1; frame <= 450; ++frame) {
    const int points = t.g.Points;
    ASSERT_FALSE(RunFrame(t.g)) << frame;
    for (int i = 1; i <= t.g.Bullets.UpperBound(); ++i) {
      const BulletData& b = t.g.Bullets[i];
      if (!b.Active) continue;
      if (b.Kind >= 0 && !slotOf.contains(b.Kind)) {
        // Fired in this frame's gun step and moved once by its projectile step.
        shots.push_back({frame, b.Kind, points - t.g.Points, t.g.GunAngle});
        slotOf[b.Kind] = i;
        EXPECT_GT(b.XVel, 0) << "to the right of vertical";
        EXPECT_LT(b.YVel, 0) << "and upwards";
        EXPECT_GT(b.X, 396);
      }
      if (b.Kind >= 0 && slotOf[b.Kind] == i) lastSeen[b.Kind] = b;
      // Nothing else explodes here: a burst is an explosion with a fresh life of 30.
      if (b.Kind < 0 && b.Life == 30) bursts.push_back(b);
    }
  }

  EXPECT_EQ(shots, (std::vector<Shot>{{17, StandardShell, 1, 17},
                                      {33, SmallFastShell, 2, 20},
                                      {49, HeavyShell, 40, 20},
                                      {65, BigShell, 100, 20}}));
  EXPECT_EQ(t.g.Points, 300 - 143);
  EXPECT_EQ(t.g.Score, 290) << "the high-water mark";

  // The standard shell ran out of life in the air, the small fast one left above the top.
  EXPECT_EQ(lastSeen[StandardShell].Life, 1);
  EXPECT_LT(lastSeen[StandardShell].Y, 434);
  EXPECT_LT(lastSeen[SmallFastShell].Y, -90);
  // The heavy and the big shell came down right of the gun and burst into fire and smoke.
  EXPECT_GT(lastSeen[HeavyShell].Y, 480);
  EXPECT_GT(lastSeen[BigShell].Y, 480);
  ASSERT_EQ(bursts.size(), 2u);
  EXPECT_EQ(bursts[0].Kind, FireExplosion);
  EXPECT_EQ(bursts[1].Kind, SmokeExplosion);
  for (const BulletData& burst : bursts) {
    EXPECT_GT(burst.Y, 488);
    EXPECT_GT(burst.X, 600);
    EXPECT_LT(burst.X, 794);
  }
  for (const auto& [kind, slot] : slotOf) {
    EXPECT_FALSE(t.g.Bullets[slot].Active && t.g.Bullets[slot].Kind == kind) << kind;
  }
  EXPECT_FALSE(t.g.Dead);
}

}  // namespace
}  // namespace flakmire::testing
