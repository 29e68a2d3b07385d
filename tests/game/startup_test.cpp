// Start-up and the reset of a run: what a new run starts from, and what carries over.

#include <gtest/gtest.h>

#include "fakes/test_game.h"
#include "game/copters.h"
#include "game/game_loop.h"
#include "game/troopers.h"

namespace flakmire::testing {
namespace {

// A run well under way: level 5, troopers and aircraft about, a dead gunner, cheats on.
void PlayALot(Game& g) {
  for (int i = 0; i < 30; ++i) CreateTrooper(g, 10.0f * i, 100, 0);
  CreateCopter(g);
  g.Points = 77;
  g.Score = 300;
  g.Level = 5;
  g.BombMaxOffset = 120;
  g.BombMinOffset = -80;
  g.Dead = true;
  g.scene.lnGun[0].Visible = g.scene.lnGun[1].Visible = false;
  g.LevelClock = 3.2f;
  g.Wind = -1.7f;
  g.FireKey = 66;
  g.GunAngle = -57;
  g.GunLength = 4.4f;
  g.KeyBuffer = "ABCDEFGHIJKL";
  g.DeathMethod = '2';
  g.FrameMs = 17;
  g.LastFrameTime = 1234.5;
  g.FastFrame = true;
  g.WindDrift = -0.0017f;
  g.scene.lnFlagPole[0].Tag = "300";
  for (int i = 0; i < CheatCount; ++i) g.cheats.Set(static_cast<Cheat>(i), true);
}

TEST(Reset, StartsARunFromItsStartingValues) {
  TestGame t;
  PlayALot(t.g);
  t.clock.dateTime = 46100.25;
  ResetGame(t.g);
  const Game& g = t.g;
  EXPECT_EQ(g.Points, 10);
  EXPECT_EQ(g.Score, 0);
  EXPECT_EQ(g.Level, 0);
  EXPECT_EQ(g.BombMaxOffset, 1000);
  EXPECT_EQ(g.BombMinOffset, -1000);
  EXPECT_FALSE(g.Dead);
  EXPECT_EQ(g.LevelClock, 0);
  EXPECT_EQ(g.Wind, 0);
  EXPECT_EQ(g.FireKey, 0);
  EXPECT_EQ(g.scene.lnFlagPole[1].Tag, "64");
  EXPECT_EQ(g.scene.lnFlagPole[2].Tag, "728");
  EXPECT_TRUE(g.scene.lnGun[0].Visible && g.scene.lnGun[1].Visible);
  for (int i = 0; i < CheatCount; ++i) EXPECT_FALSE(g.cheats[static_cast<Cheat>(i)]) << i;
  EXPECT_EQ(g.Troopers.UpperBound(), 0);
  EXPECT_EQ(g.scene.imgTrooper.UpperBound(), 0);
  EXPECT_EQ(g.scene.imgPara.UpperBound(), 0);
  EXPECT_EQ(g.StartTime, 46100.25);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 1");
  EXPECT_TRUE(t.timers.IsEnabled(TimerId::Timer1));
  EXPECT_FALSE(t.timers.IsEnabled(TimerId::tmrDead));
}

TEST(Reset, LeavesTheGunAndTheFrameTimingAlone) {
  TestGame t;
  PlayALot(t.g);
  ResetGame(t.g);
  const Game& g = t.g;
  EXPECT_EQ(g.GunAngle, -57) << "a new run starts with the barrel where the last one left it";
  EXPECT_EQ(g.GunLength, 4.4f);
  EXPECT_EQ(g.KeyBuffer, "ABCDEFGHIJKL");
  EXPECT_EQ(g.DeathMethod, "2");
  EXPECT_EQ(g.FrameMs, 17);
  EXPECT_EQ(g.LastFrameTime, 1234.5);
  EXPECT_TRUE(g.FastFrame);
  EXPECT_EQ(g.WindDrift, -0.0017f);
  EXPECT_EQ(g.scene.lnFlagPole[0].Tag, "300");
}

TEST(Reset, TwiceInARowIsTheSameAsOnceButForTheStartTime) {
  TestGame once, twice;
  PlayALot(once.g);
  PlayALot(twice.g);
  ResetGame(once.g);
  ResetGame(twice.g);
  twice.clock.dateTime += 0.001;
  ResetGame(twice.g);
  EXPECT_EQ(once.g.Points, twice.g.Points);
  EXPECT_EQ(once.g.Troopers.UpperBound(), twice.g.Troopers.UpperBound());
  EXPECT_EQ(once.window.caption, twice.window.caption);
  EXPECT_NE(once.g.StartTime, twice.g.StartTime);
}

TEST(Reset, FirstFrameShowsTenPointsAndNoScore) {
  TestGame t;
  PlayALot(t.g);
  ResetGame(t.g);
  t.g.Dead = true;  // so that the tick ends after one frame
  RunFrame(t.g);
  EXPECT_EQ(t.g.scene.Label1.Caption, "10");
  EXPECT_EQ(t.g.scene.Label2.Caption, "0");
}

TEST(FormLoad, ShowsTheWindowPlaysTheTuneAndStartsTheFirstRun) {
  TestGame t(false);
  Form_Load(t.g);
  EXPECT_GE(t.window.shows, 1);
  ASSERT_EQ(t.music.played.size(), 1u);
  EXPECT_EQ(t.music.played[0], "/opt/flakmire/dropling.mid");
  EXPECT_EQ(t.g.Points, 10);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 1");
  EXPECT_TRUE(t.timers.IsEnabled(TimerId::Timer1));
}

TEST(FormUnload, NothingMoreRunsAfterTheWindowCloses) {
  TestGame t;
  int frames = 0;
  t.pump.onYield = [&] {
    ++frames;
    if (frames == 3) Form_Unload(t.g);
  };
  Timer1_Timer(t.g);  // would run forever while the gunner lives
  EXPECT_EQ(frames, 3);
  const float clockAtClose = t.g.LevelClock;
  Timer1_Timer(t.g);
  EXPECT_EQ(t.g.LevelClock, clockAtClose);
}

}  // namespace
}  // namespace flakmire::testing
