// The projectile table: what each kind starts as and costs, how shells, fireballs and smoke fly,
// grow and expire, the early end of a pass, the table's shrink, and blood spurts.

#include "game/projectiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fakes/test_game.h"
#include "game/blood.h"
#include "game/numbers.h"

namespace flakmire::testing {
namespace {

int ActiveCount(const Game& g) {
  int n = 0;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) n += g.Bullets[i].Active;
  return n;
}

TEST(CreateBullet, EachShellHasItsCostSpeedLifeSizeAndColours) {
  struct Row {
    int kind, cost, life;
    float speed, size;
    Rgb fill, border;
  };
  for (const Row& row : {Row{StandardShell, 1, 330, 5, 9, {192, 192, 192}, {128, 128, 128}},
                         Row{SmallFastShell, 2, 1000, 8, 4, {64, 64, 64}, {0, 0, 0}},
                         Row{HeavyShell, 40, 1000, 4, 15, {192, 192, 0}, {128, 128, 0}},
                         Row{BigShell, 100, 1000, 5, 15, {224, 224, 224}, {176, 176, 176}}}) {
    TestGame t;
    t.g.Points = 150;
    SCOPED_TRACE(row.kind);
    ASSERT_EQ(CreateBullet(t.g, 100, 200, row.kind, 0), 1);
    const BulletData& b = t.g.Bullets[1];
    const Shape& s = t.g.scene.imgBullet[1];
    EXPECT_EQ(t.g.Points, 150 - row.cost);
    EXPECT_EQ(b.XVel, 0) << "angle 0 is straight up";
    EXPECT_EQ(b.YVel, -row.speed);
    EXPECT_EQ(b.Life, row.life);
    EXPECT_EQ(s.Width, row.size);
    EXPECT_EQ(s.FillColor, row.fill);
    EXPECT_EQ(s.BorderColor, row.border);
    EXPECT_TRUE(s.Visible);
    EXPECT_EQ(s.Top, 200 - row.size / 2) << "centred on the point";
  }
}

TEST(CreateBullet, BloodBombAndExplosionsAreFree) {
  // A bomb's "angle" is its jet's speed; explosions keep the template's 49 x 1 until the pass
  // sizes them.
  struct Row {
    int kind, life;
    float angle, xvel, yvel, size;
    Rgb fill, border;
  };
  for (const Row& row : {Row{BloodDrop, 150, Pi / 2, 0.4f, 0, 5, {222, 0, 0}, {111, 0, 0}},
                         Row{Bomb, 6, -3, -3, 0, 15, {0, 0, 128}, {0, 0, 64}},
                         Row{FireExplosion, 300, 1, 0, 0, 49, {255, 240, 0}, {207, 200, 127}},
                         Row{SmokeExplosion, 300, 1, 0, 0, 49, {192, 192, 192}, {128, 128, 128}}}) {
    TestGame t;
    t.g.Points = 0;
    t.g.FastFrame = true;
    SCOPED_TRACE(row.kind);
    ASSERT_EQ(CreateBullet(t.g, 10, 20, row.kind, row.angle), 1);
    const BulletData& b = t.g.Bullets[1];
    const Shape& s = t.g.scene.imgBullet[1];
    EXPECT_FLOAT_EQ(b.XVel, row.xvel);
    EXPECT_NEAR(b.YVel, row.yvel, 1e-6);
    EXPECT_EQ(b.Life, row.life);
    EXPECT_EQ(s.Width, row.size);
    EXPECT_EQ(s.Left, 10 - row.size / 2);
    EXPECT_EQ(s.FillColor, row.fill);  // blood on the fallback draw: 0.5^0.2 x 255 = 221.99
    EXPECT_EQ(s.BorderColor, row.border);
    EXPECT_EQ(t.g.Points, 0);
  }
  TestGame t;
  t.g.cheats.Set(Cheat::OneHitWonders, true);
  CreateBullet(t.g, 10, 20, Bomb, 1.7f);
  EXPECT_EQ(t.g.Bullets[1].Life, 1);
  // An explosion keeps the speed and size its slot had last.
  t.g.Bullets[1].Active = false;
  CreateBullet(t.g, 10, 20, FireExplosion, 0);
  EXPECT_EQ(t.g.Bullets[1].XVel, 1.7f);
  EXPECT_EQ(t.g.scene.imgBullet[1].Width, 15);
}

TEST(CreateBullet, ShotsArePaidForOrRefused) {
  struct Row {
    int kind, points, slot, pointsAfter;
  };
  for (const Row& row :
       {Row{StandardShell, 1, 1, 0}, Row{StandardShell, 0, -1, 0}, Row{SmallFastShell, 1, -1, 1},
        Row{HeavyShell, 39, -1, 39}, Row{BigShell, 99, -1, 99}, Row{BigShell, 100, 1, 0}}) {
    TestGame t;
    t.g.Points = row.points;
    EXPECT_EQ(CreateBullet(t.g, 0, 0, row.kind, 0), row.slot) << row.kind << " " << row.points;
    EXPECT_EQ(t.g.Points, row.pointsAfter);
    // A refused shot leaves the slot it grew free and hidden for the next creator.
    EXPECT_EQ(t.g.Bullets.UpperBound(), 1);
    EXPECT_EQ(t.g.Bullets[1].Active, row.slot == 1);
    EXPECT_EQ(t.g.scene.imgBullet[1].Visible, row.slot == 1);
  }
}

TEST(CreateBullet, ReusesTheLowestFreeSlotThenGrows) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateBullet(t.g, 0, 0, FireExplosion, 0);
  t.g.Bullets[2].Active = false;
  EXPECT_EQ(CreateBullet(t.g, 0, 0, FireExplosion, 0), 2);
  EXPECT_EQ(CreateBullet(t.g, 0, 0, FireExplosion, 0), 4);
  EXPECT_EQ(t.g.Bullets.UpperBound(), 4);
  EXPECT_EQ(t.g.scene.imgBullet.UpperBound(), 4);
}

TEST(CreateBullet, AngleGrowsClockwiseFromStraightUp) {
  TestGame t;
  CreateBullet(t.g, 0, 0, StandardShell, static_cast<float>(Pi / 2));
  EXPECT_FLOAT_EQ(t.g.Bullets[1].XVel, 5);
  EXPECT_NEAR(t.g.Bullets[1].YVel, 0, 1e-6);
  CreateBullet(t.g, 0, 0, StandardShell, static_cast<float>(-Pi / 6));
  EXPECT_FLOAT_EQ(t.g.Bullets[2].XVel, -2.5f);
}

TEST(Flight, StandardShellStraightUpRisesSlowsShrinksAndGoesAfter330Ticks) {
  TestGame t;
  t.g.Points = 1;
  CreateBullet(t.g, 396, 434, StandardShell, 0);
  const BulletData& b = t.g.Bullets[1];
  const Shape& s = t.g.scene.imgBullet[1];
  float highest = b.Y, lastSize = 9;
  int apexTick = 0;
  for (int tick = 1; tick < 330; ++tick) {
    DoBullets(t.g);
    ASSERT_TRUE(b.Active) << tick;
    ASSERT_LT(s.Width, lastSize) << tick;
    lastSize = s.Width;
    if (b.Y < highest) {
      highest = b.Y;
      apexTick = tick;
    }
    EXPECT_EQ(b.X, 396) << "no wind, no drift";
  }
  // Rising 5 - 0.03 k in tick k: the top is reached after 166 ticks, 414.17 px up.
  EXPECT_EQ(apexTick, 166);
  EXPECT_NEAR(highest, 434 - 414.17f, 0.01f);
  EXPECT_NEAR(s.Width, std::sqrt(std::sin(Pi / 660)) * 9, 1e-5) << "life 1";
  DoBullets(t.g);
  EXPECT_FALSE(b.Active);
  EXPECT_FALSE(s.Visible);
}

TEST(Flight, WindDriftsEveryMovingObject) {
  TestGame t;
  t.g.WindDrift = 0.003f;
  CreateBullet(t.g, 100, 100, StandardShell, 0);
  CreateBullet(t.g, 200, 100, FireExplosion, 0);
  DoBullets(t.g);
  DoBullets(t.g);
  EXPECT_FLOAT_EQ(t.g.Bullets[1].XVel, 0.006f);
  EXPECT_FLOAT_EQ(t.g.Bullets[1].X, 100.009f);
  EXPECT_EQ(t.g.Bullets[2].X, 200) << "explosions never move";
}

TEST(Flight, SmallFastShellEndsFarAboveTheTop) {
  for (float y : {-92.0f, -92.1f}) {  // one tick later at -99.97 and -100.07
    TestGame t;
    t.g.Points = 2;
    CreateBullet(t.g, 10, y, SmallFastShell, 0);
    DoBullets(t.g);
    EXPECT_EQ(t.g.Bullets[1].Active, y == -92.0f) << y;
  }
}

TEST(Flight, HeavyAndBigShellsBurstOnTheGround) {
  struct Row {
    int shell, burst;
  };
  for (const Row& row : {Row{HeavyShell, FireExplosion}, Row{BigShell, SmokeExplosion}}) {
    TestGame t;
    t.g.Points = 100;
    CreateBullet(t.g, 200, 480, row.shell, 0);
    const BulletData& b = t.g.Bullets[1];
    t.g.Bullets[1].YVel = 4;  // falling
    DoBullets(t.g);
    EXPECT_EQ(b.Kind, row.shell) << "484.03 is not yet in the ground";
    DoBullets(t.g);
    // The burst takes the shell's own slot, the lowest free one.
    ASSERT_TRUE(b.Active);
    EXPECT_EQ(b.Kind, row.burst);
    EXPECT_EQ(b.Life, 30);
    EXPECT_EQ(b.X, 200);
    EXPECT_FLOAT_EQ(b.Y, 488.09f);
    DoBullets(t.g);
    EXPECT_EQ(t.g.scene.imgBullet[1].Width, 49) << "29 x 271 \\ 160";
    for (int tick = 2; tick < 30; ++tick) DoBullets(t.g);
    EXPECT_TRUE(b.Active);
    DoBullets(t.g);
    EXPECT_FALSE(b.Active);
  }
}

TEST(Flight, ObjectsSinkingIntoTheGroundAreRemoved) {
  TestGame t;
  t.g.FastFrame = true;
  CreateBullet(t.g, 100, 491, BloodDrop, static_cast<float>(Pi));  // falling at 1
  DoBullets(t.g);  // 492.03, radius 2.5: its top is 1.53 px into the ground
  EXPECT_TRUE(t.g.Bullets[1].Active);
  DoBullets(t.g);
  EXPECT_FALSE(t.g.Bullets[1].Active);
}

TEST(Explosion, SizeAndColourFollowItsLife) {
  struct Row {
    int kind, life;
    bool big;
    float size;
    Rgb fill, border;
  };
  for (const Row& row : {
           Row{FireExplosion, 300, false, 0, {255, 0, 0}, {207, 80, 127}},
           Row{FireExplosion, 30, false, 50, {255, 40, 0}, {207, 100, 127}},
           Row{FireExplosion, 100, false, 125, {255, 247, 0}, {207, 203, 127}},
           Row{FireExplosion, 150, false, 140, {255, 255, 55}, {207, 207, 155}},
           Row{FireExplosion, 30, true, 202, {255, 161, 0}, {207, 160, 127}},
           Row{FireExplosion, 150, true, 562, {255, 255, 255}, {207, 207, 255}},
           Row{SmokeExplosion, 300, false, 0, {127, 0, 0}, {143, 80, 127}},
           Row{SmokeExplosion, 150, false, 140, {127, 127, 27}, {143, 143, 141}},
       }) {
    TestGame t;
    t.g.cheats.Set(Cheat::BigExplosions, row.big);
    CreateBullet(t.g, 300, 200, row.kind, 0);
    t.g.Bullets[1].Life = row.life + 1;
    DoBullets(t.g);
    const Shape& s = t.g.scene.imgBullet[1];
    SCOPED_TRACE(::testing::Message() << row.kind << " " << row.big << " " << row.life);
    EXPECT_EQ(s.Width, row.size);
    EXPECT_EQ(s.Left, 300 - row.size / 2);
    EXPECT_EQ(s.FillColor, row.fill);
    EXPECT_EQ(s.BorderColor, row.border);
  }
}

TEST(Explosion, ThinningOnVerySlowFramesDropsNearDuplicateFireballs) {
  struct Row {
    double frameMs;
    int earlierKind, laterKind, laterLife;
    float dx;
    bool dropped;
  };
  // The earlier explosion has life 99 when it looks; the later one is still at its own.
  for (const Row& row : {Row{401, FireExplosion, FireExplosion, 108, 1.5f, true},
                         Row{400, FireExplosion, FireExplosion, 108, 1.5f, false},
                         Row{401, FireExplosion, FireExplosion, 108, 2, false},
                         Row{401, FireExplosion, FireExplosion, 109, 1.5f, false},
                         Row{401, FireExplosion, FireExplosion, 20, -1.5f, true},
                         Row{401, SmokeExplosion, FireExplosion, 100, 0, true},
                         Row{401, FireExplosion, SmokeExplosion, 100, 0, false}}) {
    TestGame t;
    t.g.FrameMs = row.frameMs;
    CreateBullet(t.g, 300, 300, row.earlierKind, 0);
    CreateBullet(t.g, 300 + row.dx, 300, row.laterKind, 0);
    t.g.Bullets[1].Life = 100;
    t.g.Bullets[2].Life = row.laterLife;
    DoBullets(t.g);
    EXPECT_EQ(t.g.Bullets[2].Active, !row.dropped)
        << row.frameMs << " " << row.earlierKind << " " << row.dx << " " << row.laterLife;
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
  EXPECT_EQ(t.g.Bullets[3].Life, 330);
  DoBullets(t.g);
  EXPECT_FLOAT_EQ(t.g.Bullets[3].Y, 295.03f);
}

TEST(Pass, ShrinksElevenFreeSlotsOffTheTop) {
  struct Row {
    int upper;
    std::vector<int> used;
    std::vector<int> uppers;  // after each of three passes
  };
  for (const Row& row :
       {Row{22, {1, 2, 3, 4, 5}, {11, 11, 11}}, Row{11, {}, {11, 11, 11}},
        Row{22, {12}, {22, 22, 22}}, Row{40, {1}, {29, 18, 7}}, Row{12, {1}, {1, 1, 1}}}) {
    TestGame t;
    for (int i = 0; i < row.upper; ++i) CreateBullet(t.g, 0, 0, FireExplosion, 0);
    for (int i = 1; i <= row.upper; ++i) t.g.Bullets[i].Active = false;
    for (int i : row.used) t.g.Bullets[i].Active = true;
    std::vector<int> uppers;
    for (int pass = 0; pass < 3; ++pass) {
      DoBullets(t.g);
      uppers.push_back(t.g.Bullets.UpperBound());
      EXPECT_EQ(t.g.scene.imgBullet.UpperBound(), uppers.back());
    }
    EXPECT_EQ(uppers, row.uppers) << row.upper;
  }
}

TEST(Spurt, FewerDropsTheSlowerTheLastFrameAndNoneOnASlowOne) {
  struct Row {
    double frameMs;
    bool fast;
    int drops, draws;  // each drop draws its spread, its side, then its shade
  };
  for (const Row& row :
       {Row{0, true, 12, 36}, Row{24, true, 10, 30}, Row{40, true, 6, 18}, Row{48, true, 3, 9},
        Row{53, true, 0, 0}, Row{60, true, 0, 0}, Row{1e9, true, 0, 0}, Row{0, false, 0, 24}}) {
    TestGame t;
    t.g.FastFrame = row.fast;
    t.g.FrameMs = row.frameMs;
    Spurt(t.g, 100, 100, 0, static_cast<float>(Pi / 4));
    EXPECT_EQ(ActiveCount(t.g), row.drops) << row.frameMs << " " << row.fast;
    EXPECT_EQ(t.random.draws, row.draws) << row.frameMs << " " << row.fast;
  }
}

TEST(Spurt, DrawsTheSpreadThenTheSideThenTheShade) {
  TestGame t;
  t.g.FastFrame = true;
  t.g.FrameMs = 48;  // three drops
  t.random.queue = {0.5f, 0.75f, 0.0f, 0.25f, 0.25f, 0.5f};
  Spurt(t.g, 100, 100, 0, static_cast<float>(Pi / 4));
  const std::vector<double> angles = {Pi / 8, -Pi / 16, Pi / 8};  // the last on fallback 0.5s
  for (int i = 1; i <= 3; ++i) {
    EXPECT_NEAR(t.g.Bullets[i].XVel, 0.4 * std::sin(angles[i - 1]), 1e-6) << i;
    EXPECT_NEAR(t.g.Bullets[i].YVel, -std::cos(angles[i - 1]), 1e-6) << i;
  }
  EXPECT_EQ(t.g.scene.imgBullet[1].FillColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(t.g.scene.imgBullet[2].FillColor, (Rgb{222, 0, 0}));

  // Without variance every drop flies along the direction.
  t.random.Seed(5);
  Spurt(t.g, 100, 100, 1.0f, 0);
  for (int i = 4; i <= 6; ++i) {
    EXPECT_FLOAT_EQ(t.g.Bullets[i].XVel, 0.4f * std::sin(1.0f));
    EXPECT_FLOAT_EQ(t.g.Bullets[i].YVel, -std::cos(1.0f));
  }
}

}  // namespace
}  // namespace flakmire::testing
