// The slot rules that all four entity tables share, and what a reset of a run puts in place.

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/test_game.h"
#include "game/copters.h"
#include "game/game_loop.h"
#include "game/projectiles.h"
#include "game/troopers.h"

namespace flakmire::testing {
namespace {

TEST(Tables, ReuseTheLowestFreeSlotAndGrowByOneWithTheSprites) {
  TestGame t;
  for (int i = 1; i <= 5; ++i) CreateTrooper(t.g, 100.0f * i, 50, 0);
  t.g.Troopers[3].Active = t.g.Troopers[2].Active = false;
  CreateTrooper(t.g, 10, 20, 1);
  EXPECT_TRUE(t.g.Troopers[2].Active && !t.g.Troopers[3].Active);
  EXPECT_EQ(t.g.Troopers[2].X, 10);
  CreateTrooper(t.g, 0, 0, 0);
  CreateTrooper(t.g, 0, 0, 0);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 6);
  EXPECT_EQ(t.g.scene.imgTrooper.UpperBound(), 6) << "a trooper's two sprite arrays grow with him";
  EXPECT_EQ(t.g.scene.imgPara.UpperBound(), 6);
  EXPECT_FALSE(t.g.scene.imgPara[6].Visible) << "a new copy is hidden until shown";
}

TEST(Tables, StepsTrimOneFreeTopSlotPerFrameDownToTheTemplate) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateCopter(t.g);
  t.g.Copters[2].Active = t.g.Copters[3].Active = false;
  const int expected[] = {2, 1, 1};  // slot 1 is still flying
  for (int upper : expected) {
    DoCopters(t.g, false);
    EXPECT_EQ(t.g.Copters.UpperBound(), upper);
    EXPECT_EQ(t.g.scene.imgCopter.UpperBound(), upper);
  }
  t.g.Copters[1].Active = false;
  DoCopters(t.g, false);
  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters.UpperBound(), 0);
}

TEST(Tables, FullTableRefusesInsteadOfGrowingPastTheSpriteIndexLimit) {
  TestGame t;
  for (int i = 0; i < MaxSlots; ++i) ASSERT_NE(CreateBullet(t.g, 1, 1, FireExplosion, 0), -1);
  EXPECT_EQ(CreateBullet(t.g, 1, 1, FireExplosion, 0), -1);
  EXPECT_EQ(t.g.Bullets.UpperBound(), MaxSlots);
}

// A run well under way: level 5, a dead gunner, troopers about, cheats on.
void PlayALot(Game& g) {
  for (int i = 0; i < 30; ++i) CreateTrooper(g, 10.0f * i, 100, 0);
  CreateCopter(g);
  CreateBullet(g, 5, 5, FireExplosion, 0);
  g.Points = 77;
  g.Score = 300;
  g.Level = 5;
  g.BombMaxOffset = 120;
  g.Dead = true;
  g.scene.lnGun[0].Visible = g.scene.lnGun[1].Visible = false;
  g.LevelClock = 3.2f;
  g.Wind = -1.7f;
  g.FireKey = 66;
  g.GunAngle = -57;
  g.GunLength = 4.4f;
  g.KeyBuffer = "ABCDEFGHIJKL";
  g.LastFrameTime = 1234.5;
  for (int i = 0; i < CheatCount; ++i) g.cheats.Set(static_cast<Cheat>(i), true);
}

TEST(Reset, StartsARunFromItsStartingValuesAndKeepsTheGun) {
  TestGame t;
  PlayALot(t.g);
  t.clock.dateTime = 46100.25;
  ResetGame(t.g);
  const Game& g = t.g;
  EXPECT_EQ(g.Points, 10);
  EXPECT_EQ(std::tuple(g.Score, g.Level, g.LevelClock, g.Wind, g.FireKey),
            std::tuple(0, 0, 0.0f, 0.0f, 0));
  EXPECT_EQ(g.BombMaxOffset, 1000);
  EXPECT_EQ(g.BombMinOffset, -1000);
  EXPECT_FALSE(g.Dead);
  EXPECT_TRUE(g.scene.lnGun[0].Visible && g.scene.lnGun[1].Visible);
  EXPECT_EQ(g.scene.lnFlagPole[1].Tag + " " + g.scene.lnFlagPole[2].Tag, "64 728");
  for (int i = 0; i < CheatCount; ++i) EXPECT_FALSE(g.cheats[static_cast<Cheat>(i)]) << i;
  EXPECT_EQ(g.Troopers.UpperBound() + g.Copters.UpperBound() + g.Bullets.UpperBound(), 0);
  const Scene& s = g.scene;
  EXPECT_EQ(s.imgTrooper.UpperBound() + s.imgPara.UpperBound() + s.imgCopter.UpperBound() +
                s.imgBullet.UpperBound(),
            0);
  EXPECT_EQ(g.StartTime, 46100.25);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 1");
  EXPECT_TRUE(t.timers.IsEnabled(TimerId::Timer1));
  // What carries over from run to run.
  EXPECT_EQ(g.GunAngle, -57) << "a new run starts with the barrel where the last one left it";
  EXPECT_EQ(g.GunLength, 4.4f);
  EXPECT_EQ(g.KeyBuffer, "ABCDEFGHIJKL");
  EXPECT_EQ(g.LastFrameTime, 1234.5);

  ResetGame(t.g);  // twice in a row is the same as once
  EXPECT_EQ(g.Points, 10);
  EXPECT_EQ(g.GunAngle, -57);

  t.g.Dead = true;
  RunFrame(t.g);
  EXPECT_EQ(s.Label1.Caption + " " + s.Label2.Caption, "10 0") << "from the first frame on";
}

TEST(FormLoad, ShowsTheWindowPlaysTheTuneAndStartsTheFirstRun) {
  TestGame t(false);
  Form_Load(t.g);
  EXPECT_GE(t.window.shows, 1);
  EXPECT_EQ(t.music.played, std::vector<std::string>{"/opt/flakmire/dropling.mid"});
  EXPECT_EQ(t.g.Points, 10);
  EXPECT_TRUE(t.timers.IsEnabled(TimerId::Timer1));
}

}  // namespace
}  // namespace flakmire::testing
