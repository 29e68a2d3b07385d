// The gun and the projectile table: turning, reloading and paying for shots, the keys, how
// shells, explosions, bombs and blood start, fly and end, and a few hundred frames of play.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/test_game.h"
#include "game/blood.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/layout.h"
#include "game/numbers.h"
#include "game/projectiles.h"

namespace flakmire::testing {
namespace {

// The kinds of the objects in use, in slot order.
std::vector<int> Kinds(const Game& g) {
  std::vector<int> kinds;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    if (g.Bullets[i].Active) kinds.push_back(g.Bullets[i].Kind);
  }
  return kinds;
}

TEST(Gun, TurnsOneStepAFrameUpToOneHundredAndTwentyEitherSide) {
  for (int side : {1, -1}) {
    TestGame t;
    t.g.GunAngle = 118.0f * side;
    t.keys.down = {side > 0 ? key_code::Right : key_code::Left};
    for (float angle : {119, 120, 120, 120, 120}) {
      DoGun(t.g);
      EXPECT_EQ(t.g.GunAngle, angle * side);
    }
  }
}

TEST(Gun, KeysPressedWhileTheBarrelReturnsAreLost) {
  TestGame t;
  t.g.GunAngle = 90;  // one radian to the right
  t.g.GunLength = 6;
  for (float length : {5.0f, 5.4f, 5.8f, 5.0f}) {
    t.g.FireKey = key_code::B;
    DoGun(t.g);
    EXPECT_FLOAT_EQ(t.g.GunLength, length);
  }
  EXPECT_EQ(Kinds(t.g), (std::vector<int>{StandardShell, StandardShell}));
  // Shells leave from the muzzle, 36 px out along the barrel.
  EXPECT_FLOAT_EQ(t.g.Bullets[1].X, PivotX + 36 * std::sin(1.0f));
  EXPECT_FLOAT_EQ(t.g.Bullets[1].Y, PivotY - 36 * std::cos(1.0f));
}

TEST(Gun, FiresTheShellOfItsKeyIfThePointsPay) {
  // Under Rapid Fire the held keys are polled X, C, V, B: the last one held wins.
  struct Row {
    int pressed, points;
    std::set<int> held;  // polled under Rapid Fire
    std::vector<int> fired;
    float length;  // the barrel after the frame: its recoil, or still out
  };
  for (const Row& row : {
           Row{'B', 1, {}, {StandardShell}, 5},
           Row{'B', 0, {}, {}, 6},
           Row{'X', 99, {}, {}, 6},
           Row{'X', 100, {}, {BigShell}, 3},
           Row{0, 100, {'X', 'C'}, {HeavyShell}, 2},
           Row{0, 100, {'X', 'C', 'V'}, {SmallFastShell}, 4},
           Row{0, 100, {'X', 'C', 'V', 'B'}, {StandardShell}, 5},
       }) {
    TestGame t;
    t.g.cheats.Set(Cheat::RapidFire, !row.held.empty());
    t.keys.down = row.held;
    t.g.FireKey = row.pressed;
    t.g.Points = row.points;
    t.g.GunLength = 6;
    DoGun(t.g);
    EXPECT_EQ(Kinds(t.g), row.fired) << row.pressed << " " << row.held.size() << " " << row.points;
    EXPECT_EQ(t.g.GunLength, row.length) << row.pressed << " " << row.held.size();
  }
}

TEST(Keys, CheatWordOpensThePanelInAnyCaseButOnlyUnbroken) {
  // % is the left arrow's code.
  for (auto [typed, panels] : {std::pair{"QZShowMeTRICKS", 1}, {"SHOWME%TRICKS", 0}}) {
    TestGame t;
    for (char c : std::string(typed)) Form_KeyDown(t.g, c);
    EXPECT_EQ(t.dialogs.cheatPanels, panels) << typed;
  }
}

TEST(Keys, TildeEndsOnlyTheLastLevelAndNotUnderInvincibility) {
  for (auto [level, invincible] : {std::pair{10, false}, {9, false}, {10, true}}) {
    TestGame t;
    t.g.Level = level;
    t.g.cheats.Set(Cheat::Invincibility, invincible);
    Form_KeyDown(t.g, key_code::Tilde);
    EXPECT_EQ(t.g.Dead, level == 10 && !invincible) << level << " " << invincible;
    // The cause is written even when the gunner can't die.
    EXPECT_EQ(t.g.DeathMethod, level == 10 ? "4" : "");
  }
}

TEST(CreateBullet, EachKindHasItsCostSpeedLifeAndSize) {
  // Blood flies sideways at 0.4 of its speed; a bomb's "angle" is its jet's speed.
  struct Row {
    int kind, cost, life;
    float angle, xvel, yvel, size;
  };
  for (const Row& row :
       {Row{StandardShell, 1, 330, 0, 0, -5, 9}, Row{SmallFastShell, 2, 1000, 0, 0, -8, 4},
        Row{HeavyShell, 40, 1000, 0, 0, -4, 15}, Row{BigShell, 100, 1000, 0, 0, -5, 15},
        Row{BloodDrop, 0, 150, static_cast<float>(Pi / 2), 0.4f, 0, 5},
        Row{Bomb, 0, 6, -3, -3, 0, 15}}) {
    TestGame t;
    t.g.Points = 150;
    t.g.FastFrame = true;
    ASSERT_EQ(CreateBullet(t.g, 100, 200, row.kind, row.angle), 1);
    EXPECT_EQ(t.g.Points, 150 - row.cost) << row.kind;
    EXPECT_FLOAT_EQ(t.g.Bullets[1].XVel, row.xvel) << row.kind;
    EXPECT_NEAR(t.g.Bullets[1].YVel, row.yvel, 1e-6) << row.kind;
    EXPECT_EQ(t.g.Bullets[1].Life, row.life) << row.kind;
    EXPECT_EQ(t.g.scene.imgBullet[1].Width, row.size) << row.kind;
  }
}

TEST(CreateBullet, ReusesTheLowestFreeSlotThenGrows) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateBullet(t.g, 0, 0, FireExplosion, 0);
  t.g.Bullets[2].Active = false;
  EXPECT_EQ(CreateBullet(t.g, 0, 0, FireExplosion, 0), 2);
  EXPECT_EQ(CreateBullet(t.g, 0, 0, FireExplosion, 0), 4);
  EXPECT_EQ(t.g.scene.imgBullet.UpperBound(), 4);
}

TEST(Flight, StandardShellStraightUpRisesSlowsAndGoesAfter330Ticks) {
  TestGame t;
  t.g.Points = 1;
  CreateBullet(t.g, 396, 434, StandardShell, 0);
  float top = 434;
  int topTick = 0, ticksAlive = 0;
  for (int tick = 1; tick <= 330; ++tick) {
    DoBullets(t.g);
    ticksAlive += t.g.Bullets[1].Active;
    if (t.g.Bullets[1].Y < top) top = t.g.Bullets[1].Y, topTick = tick;
  }
  // Rising 5 - 0.03 k in tick k: the top is reached after 166 ticks, 414.17 px up.
  EXPECT_EQ(topTick, 166);
  EXPECT_NEAR(top, 434 - 414.17f, 0.01f);
  EXPECT_EQ(ticksAlive, 329);
}

TEST(Flight, HeavyAndBigShellsBurstOnTheGround) {
  for (int shell : {HeavyShell, BigShell}) {
    TestGame t;
    t.g.Points = 100;
    CreateBullet(t.g, 200, 480, shell, 0);
    const BulletData& b = t.g.Bullets[1];
    t.g.Bullets[1].YVel = 4;  // falling
    DoBullets(t.g);
    EXPECT_EQ(b.Kind, shell) << "484.03 is not yet in the ground";
    DoBullets(t.g);
    // The burst takes the shell's own slot at 488.09.
    EXPECT_EQ(b.Kind, shell == HeavyShell ? FireExplosion : SmokeExplosion);
    EXPECT_EQ(b.Life, 30);
    EXPECT_FLOAT_EQ(b.Y, 488.09f);
  }
}

TEST(Flight, ExplosionIsWidestAtLife150) {
  for (auto [big, width] : {std::pair{false, 140}, {true, 562}}) {
    TestGame t;
    t.g.cheats.Set(Cheat::BigExplosions, big);
    CreateBullet(t.g, 300, 200, FireExplosion, 0);
    t.g.Bullets[1].Life = 151;
    DoBullets(t.g);
    EXPECT_EQ(t.g.scene.imgBullet[1].Width, width);
  }
}

TEST(Pass, EndsWhereAnObjectRunsOut) {
  TestGame t;
  t.g.Points = 3;
  for (int i = 0; i < 3; ++i) CreateBullet(t.g, 100.0f * (i + 1), 300, StandardShell, 0);
  t.g.Bullets[2].Life = 1;
  DoBullets(t.g);
  EXPECT_FLOAT_EQ(t.g.Bullets[1].Y, 295.03f);
  EXPECT_FALSE(t.g.Bullets[2].Active);
  EXPECT_EQ(t.g.Bullets[3].Y, 300) << "not moved in this pass";
  DoBullets(t.g);
  EXPECT_FLOAT_EQ(t.g.Bullets[3].Y, 295.03f);
}

TEST(Pass, ShrinksElevenFreeSlotsOffTheTopOnce) {
  // 22 slots with the lowest `used` in use.
  for (auto [used, upper] : {std::pair{5, 11}, {12, 22}}) {
    TestGame t;
    for (int i = 0; i < 22; ++i) CreateBullet(t.g, 0, 0, FireExplosion, 0);
    for (int i = used + 1; i <= 22; ++i) t.g.Bullets[i].Active = false;
    for (int pass = 0; pass < 2; ++pass) {
      DoBullets(t.g);
      EXPECT_EQ(t.g.Bullets.UpperBound(), upper) << used << " " << pass;
      EXPECT_EQ(t.g.scene.imgBullet.UpperBound(), upper);
    }
  }
}

TEST(Bomb, LandingMarksTheClosestImpactsAndNarrowsTheBombingWindow) {
  // The flag poles stand at 64 and 728 until an impact between them and the gun moves them.
  struct Row {
    float x, xvel;  // lands at x + xvel
    std::string tag, leftPole, rightPole;
    int min, max;
  };
  for (const Row& row : {
           Row{299, 1, "-150", "300", "728", -150, 1000},  // short, flying right: too early
           Row{499, 1, "120", "64", "500", -1000, 120},    // beyond, flying right: too late
           Row{301, -1, "120", "300", "728", -1000, 120},  // flying left swaps the meaning
           Row{501, -1, "-150", "64", "500", -150, 1000},
           Row{299, 1, "-1200", "300", "728", -1000, 1000},  // only narrowing counts
           Row{749, 1, "120", "64", "728", -1000, 120},      // beyond the pole: it stays
           Row{299, 1, "", "300", "728", -1000, 1000},       // no jet dropped it
           Row{499, 1, "none", "64", "500", -1000, 1000},
       }) {
    TestGame t;
    const int i = CreateBullet(t.g, row.x, 488, Bomb, row.xvel);
    t.g.scene.imgBullet[i].Tag = row.tag;
    DoBullets(t.g);
    SCOPED_TRACE(::testing::Message() << row.x << " " << row.xvel << " " << row.tag);
    EXPECT_EQ(Kinds(t.g), std::vector<int>{FireExplosion});
    EXPECT_EQ(t.g.scene.lnFlagPole[1].Tag, row.leftPole);
    EXPECT_EQ(t.g.scene.lnFlagPole[2].Tag, row.rightPole);
    EXPECT_EQ(t.g.BombMinOffset, row.min);
    EXPECT_EQ(t.g.BombMaxOffset, row.max);
  }
}

TEST(Bomb, KillsTheGunInsideItsZoneBoundsExcluded) {
  for (auto [x, kills] :
       {std::pair{376.0f, false}, {376.5f, true}, {415.5f, true}, {416.0f, false}}) {
    TestGame t;
    DoBomb(t.g, CreateBullet(t.g, x, 440, Bomb, 0));
    EXPECT_EQ(t.g.Dead, kills) << x;
    EXPECT_EQ(t.g.DeathMethod, kills ? "2" : "");
  }
}

TEST(Bomb, EachKindOfShellDoesItsOwnDamage) {
  // The shell sits dx right of the bomb; every hit pays 30 points.
  struct Row {
    int kind, lifeBefore, lifeAfter, points;
    float dx;
    std::vector<int> left;  // the kinds in use afterwards
  };
  for (const Row& row : {
           Row{StandardShell, 6, 5, 30, 11.9f, {Bomb}},
           Row{StandardShell, 6, 6, 0, 12, {Bomb, StandardShell}},  // reach (9 + 15) / 2
           Row{SmallFastShell, 6, 3, 30, 5, {Bomb}},
           Row{SmallFastShell, 2, -1, 30, 5, {}},  // no fireball below 0
           Row{HeavyShell, 6, 2, 30, 5, {Bomb, FireExplosion}},
           Row{BigShell, 6, -1, 30, 5, {SmokeExplosion}},
       }) {
    TestGame t;
    t.g.Points = 100;
    const int bomb = CreateBullet(t.g, 300, 200, Bomb, 0);
    t.g.Bullets[bomb].Life = row.lifeBefore;
    t.g.Bullets[bomb].YVel = -0.01f;  // gravity cancels it: the bomb stays put for its step
    CreateBullet(t.g, 300 + row.dx, 200, row.kind, 0);
    t.g.Points = 0;
    DoBomb(t.g, bomb);
    SCOPED_TRACE(::testing::Message() << row.kind << " " << row.lifeBefore << " " << row.dx);
    EXPECT_EQ(t.g.Bullets[bomb].Life, row.lifeAfter);
    EXPECT_EQ(t.g.Points, row.points);
    EXPECT_EQ(Kinds(t.g), row.left);
  }
}

TEST(Spurt, FewerDropsTheSlowerTheLastFrame) {
  for (auto [frameMs, drops] :
       {std::pair{0.0, 12u}, {24.0, 10u}, {40.0, 6u}, {48.0, 3u}, {60.0, 0u}}) {
    TestGame t;
    t.g.FastFrame = true;
    t.g.FrameMs = frameMs;
    Spurt(t.g, 100, 100, 0, 0.5f);
    EXPECT_EQ(Kinds(t.g).size(), drops) << frameMs;
  }
}

TEST(GunScenario, TurnsAndFiresEveryKindThroughTheFrameLoop) {
  TestGame t;
  t.g.Points = 300;
  int frame = 0;
  // Keys arrive at the pump's yields, every fourth frame; the X at 52 is lost to the reload.
  const std::map<int, int> presses = {{16, 'B'}, {32, 'V'}, {48, 'C'}, {52, 'X'}, {64, 'X'}};
  t.keys.down = {key_code::Right};
  t.pump.onYield = [&] {
    if (frame == 20) t.keys.down.clear();
    if (presses.contains(frame)) Form_KeyDown(t.g, presses.at(frame));
  };
  std::vector<std::tuple<int, int, int, float>> shots;  // frame, kind, cost, gun angle
  std::map<int, float> lastY;                           // of each shell kind
  std::vector<int> bursts;                              // explosion kinds in their first frame
  for (frame = 1; frame <= 450; ++frame) {
    const int points = t.g.Points;
    ASSERT_FALSE(RunFrame(t.g)) << frame;
    for (int i = 1; i <= t.g.Bullets.UpperBound(); ++i) {
      const BulletData& b = t.g.Bullets[i];
      if (!b.Active) continue;
      if (b.Kind >= 0 && !lastY.contains(b.Kind)) {
        shots.emplace_back(frame, b.Kind, points - t.g.Points, t.g.GunAngle);
      }
      if (b.Kind >= 0) lastY[b.Kind] = b.Y;
      if (b.Kind < 0 && b.Life == 30) {
        bursts.push_back(b.Kind);
        EXPECT_TRUE(b.Y > 488 && b.X > 600 && b.X < 794) << b.X << " " << b.Y;
      }
    }
  }
  EXPECT_EQ(shots, (decltype(shots){{17, StandardShell, 1, 17},
                                    {33, SmallFastShell, 2, 20},
                                    {49, HeavyShell, 40, 20},
                                    {65, BigShell, 100, 20}}));
  // The standard shell ran out of life in the air, the small fast one left above the top, the
  // heavy and the big one came down right of the gun as fire and smoke.
  EXPECT_LT(lastY[StandardShell], 434);
  EXPECT_LT(lastY[SmallFastShell], -90);
  EXPECT_EQ(bursts, (std::vector<int>{FireExplosion, SmokeExplosion}));
}

}  // namespace
}  // namespace flakmire::testing
