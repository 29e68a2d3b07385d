// Bombs: their fall, what a landing teaches the flag poles and the jets, the gun hit, and being
// shot down by the gun's shells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/test_game.h"
#include "game/projectiles.h"

namespace flakmire::testing {
namespace {

// A bomb that stays where it is for its next step (gravity just cancels its speed).
int HangingBomb(Game& g, float x, float y) {
  const int i = CreateBullet(g, x, y, Bomb, 0);
  g.Bullets[i].YVel = -0.01f;
  return i;
}

// The slots in use of one kind.
std::vector<int> SlotsOf(const Game& g, int kind) {
  std::vector<int> slots;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    if (g.Bullets[i].Active && g.Bullets[i].Kind == kind) slots.push_back(i);
  }
  return slots;
}

TEST(BombFlight, FallsWithItsOwnGravityAndKeepsItsLife) {
  TestGame t;
  t.g.WindDrift = 0.001f;
  const int i = CreateBullet(t.g, 200, 100, Bomb, 1.7f);
  for (int tick = 0; tick < 100; ++tick) DoBullets(t.g);
  const BulletData& b = t.g.Bullets[i];
  EXPECT_NEAR(b.Y, 100 + 0.01f * 100 * 101 / 2, 0.01f);
  EXPECT_NEAR(b.X, 200 + 170 + 0.001f * 100 * 101 / 2, 0.01f);
  EXPECT_EQ(b.Life, 6) << "a bomb's life counts hits, not ticks";
  EXPECT_EQ(t.g.scene.imgBullet[i].Width, 15);
  EXPECT_FLOAT_EQ(t.g.scene.imgBullet[i].Top, b.Y - 7.5f);
}

TEST(BombLanding, MarksTheClosestImpactsAndNarrowsTheBombingWindow) {
  struct Row {
    float x, xvel;  // lands at x + xvel
    std::string tag;
    std::string leftPole, rightPole;
    int min, max;
  };
  for (const Row& row : {
           // Short of the gun, flying right: released too early.
           Row{299, 1, "-150", "300", "728", -150, 1000},
           // Beyond it, flying right: released too late.
           Row{499, 1, "120", "64", "500", -1000, 120},
           // The same two places flying left swap the meaning.
           Row{301, -1, "120", "300", "728", -1000, 120},
           Row{501, -1, "-150", "64", "500", -150, 1000},
           // Falling straight down counts as short.
           Row{300, 0, "-150", "300", "728", -150, 1000},
           // Only narrowing counts; a tag converts to the nearest whole number, halves to even.
           Row{299, 1, "-1200", "300", "728", -1000, 1000},
           Row{499, 1, "1200", "64", "500", -1000, 1000},
           Row{299, 1, "-123.5", "300", "728", -124, 1000},
           Row{299.5f, 1, "-150", "300", "728", -150, 1000},
           // Outside the poles: they stay.
           Row{49, 1, "-150", "64", "728", -150, 1000},
           Row{749, 1, "120", "64", "728", -1000, 120},
           // A bomb no jet dropped teaches nothing.
           Row{299, 1, "", "300", "728", -1000, 1000},
           Row{499, 1, "none", "64", "500", -1000, 1000},
       }) {
    SCOPED_TRACE(::testing::Message() << row.x << " " << row.xvel << " " << row.tag);
    TestGame t;
    const int i = CreateBullet(t.g, row.x, 488, Bomb, row.xvel);
    t.g.scene.imgBullet[i].Tag = row.tag;
    DoBullets(t.g);
    EXPECT_FALSE(t.g.Bullets[i].Active);
    EXPECT_EQ(t.g.scene.lnFlagPole[1].Tag, row.leftPole);
    EXPECT_EQ(t.g.scene.lnFlagPole[2].Tag, row.rightPole);
    EXPECT_EQ(t.g.BombMinOffset, row.min);
    EXPECT_EQ(t.g.BombMaxOffset, row.max);
    // Its fireball is short.
    const std::vector<int> fire = SlotsOf(t.g, FireExplosion);
    ASSERT_EQ(fire.size(), 1u);
    EXPECT_EQ(t.g.Bullets[fire[0]].Life, 30);
    EXPECT_FLOAT_EQ(t.g.Bullets[fire[0]].X, row.x + row.xvel);
    EXPECT_FALSE(t.g.Dead);
  }
}

TEST(BombOnTheGun, KillsInsideTheZoneBoundsExcluded) {
  struct Row {
    float x, y;
    bool kills;
  };
  for (const Row& row : {Row{376, 440, false}, Row{376.5f, 440, true}, Row{415.5f, 440, true},
                         Row{416, 440, false}, Row{396, 432, false}, Row{396, 432.5f, true}}) {
    TestGame t;
    const int i = HangingBomb(t.g, row.x, row.y);
    DoBomb(t.g, i);
    EXPECT_EQ(t.g.Dead, row.kills) << row.x << " " << row.y;
    EXPECT_EQ(t.g.Bullets[i].Active, !row.kills);
    if (!row.kills) continue;
    EXPECT_EQ(t.g.DeathMethod, "2");
    // A fireball on the gun, and the bomb's own short one.
    const std::vector<int> fire = SlotsOf(t.g, FireExplosion);
    ASSERT_EQ(fire.size(), 2u);
    EXPECT_EQ(t.g.Bullets[fire[0]].X, 396);
    EXPECT_EQ(t.g.Bullets[fire[0]].Y, 440);
    EXPECT_EQ(t.g.Bullets[fire[0]].Life, 300);
    EXPECT_EQ(t.g.Bullets[fire[1]].Life, 30);
  }
}

TEST(Interception, EachKindOfShellDoesItsOwnDamage) {
  // The bomb's life before and after; the shell's distance; whether it is used up, for 30
  // points; the explosion it leaves (0 for none) and whether at the shell or at the bomb.
  struct Row {
    int kind, before, after;
    float dx;
    bool consumed;
    int burst;
    bool atShell;
  };
  for (const Row& row :
       {Row{StandardShell, 6, 5, 5, true, 0, false},
        Row{StandardShell, 6, 5, 11.9f, true, 0, false},
        Row{StandardShell, 6, 6, 12, false, 0, false},  // reach (9 + 15) / 2
        Row{SmallFastShell, 6, 3, 5, true, 0, false},
        Row{SmallFastShell, 2, -1, 5, true, 0, false},  // no fireball below 0
        Row{HeavyShell, 6, 2, 5, true, FireExplosion, true},
        Row{BigShell, 6, -1, 5, true, SmokeExplosion, false},
        Row{SmokeExplosion, 6, -1, 5, false, SmokeExplosion, false},
        Row{FireExplosion, 6, 6, 5, false, 0, false}, Row{BloodDrop, 6, 6, 5, false, 0, false}}) {
    SCOPED_TRACE(::testing::Message() << row.kind << " " << row.before << " " << row.dx);
    TestGame t;
    t.g.Points = 100;
    t.g.FastFrame = true;
    const int bomb = HangingBomb(t.g, 300, 200);
    t.g.Bullets[bomb].Life = row.before;
    const int shell = CreateBullet(t.g, 300 + row.dx, 200, row.kind, 0);
    t.g.Points = 0;
    DoBomb(t.g, bomb);
    EXPECT_EQ(t.g.Bullets[bomb].Life, row.after);
    EXPECT_EQ(t.g.Bullets[bomb].Active, row.after > 0);
    EXPECT_EQ(t.g.Bullets[shell].Active && t.g.Bullets[shell].Kind == row.kind, !row.consumed);
    EXPECT_EQ(t.g.Points, row.consumed ? 30 : 0);
    int inUse = 0;
    for (int i = 1; i <= t.g.Bullets.UpperBound(); ++i) inUse += t.g.Bullets[i].Active;
    EXPECT_EQ(inUse, (row.after > 0) + !row.consumed + (row.burst != 0));
    if (row.burst == 0) continue;
    // The burst may take the shell's freed slot; smoke that hit stays beside its new burst.
    int burst = 0;
    for (int i : SlotsOf(t.g, row.burst)) {
      if (t.g.Bullets[i].X == (row.atShell ? 300 + row.dx : 300)) burst = i;
    }
    ASSERT_NE(burst, 0);
    EXPECT_EQ(t.g.Bullets[burst].Life, 300);
  }
}

TEST(Interception, BigShellBlowsTheBombApartAndEndsTheScan) {
  TestGame t;
  t.g.Points = 200;
  const int bomb = HangingBomb(t.g, 300, 200);
  CreateBullet(t.g, 300, 200, BigShell, 0);
  const int later = CreateBullet(t.g, 300, 200, StandardShell, 0);
  t.g.Points = 0;
  DoBomb(t.g, bomb);
  EXPECT_EQ(t.g.Points, 30);
  EXPECT_TRUE(t.g.Bullets[later].Active) << "not reached by the scan";
  EXPECT_TRUE(SlotsOf(t.g, FireExplosion).empty()) << "no fireball of its own";
}

TEST(Interception, SixStandardShellsOrOneUnderOneHitWonders) {
  for (bool oneHit : {false, true}) {
    TestGame t;
    t.g.cheats.Set(Cheat::OneHitWonders, oneHit);
    t.g.Points = 100;
    const int bomb = HangingBomb(t.g, 300, 200);
    int hits = 0;
    while (t.g.Bullets[bomb].Active && hits < 10) {
      CreateBullet(t.g, 300, 200, StandardShell, 0);
      t.g.Bullets[bomb].YVel = -0.01f;
      DoBomb(t.g, bomb);
      ++hits;
    }
    EXPECT_EQ(hits, oneHit ? 1 : 6);
    EXPECT_EQ(t.g.Points, 100 + 29 * hits);
    const std::vector<int> fire = SlotsOf(t.g, FireExplosion);
    ASSERT_EQ(fire.size(), 1u);
    EXPECT_EQ(t.g.Bullets[fire[0]].Life, 30);
    EXPECT_EQ(t.g.Bullets[fire[0]].X, 300);
  }
}

}  // namespace
}  // namespace flakmire::testing
