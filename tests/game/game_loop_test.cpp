// The frame and the timers: score, levels and captions, wind and flags, pacing, yields, ticks,
// and the pointer that hides when the mouse rests.

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/test_game.h"
#include "game/death.h"
#include "game/game_loop.h"

namespace flakmire::testing {
namespace {

TEST(Score, FollowsTheHighestPointsLessTenWhileAlive) {
  struct Row {
    int points, score;
    bool dead;
    int expected;
  };
  for (const Row& row : {Row{57, 40, false, 47}, Row{50, 40, false, 40}, Row{57, 40, true, 40},
                         Row{10, 0, false, 0}, Row{11, 0, false, 1}}) {
    TestGame t;
    t.g.Points = row.points;
    t.g.Score = row.score;
    t.g.Dead = row.dead;
    RunFrame(t.g);
    EXPECT_EQ(t.g.Score, row.expected) << row.points << " " << row.score << " " << row.dead;
    EXPECT_EQ(t.g.scene.Label1.Caption, std::to_string(row.points));
    EXPECT_EQ(t.g.scene.Label2.Caption, std::to_string(row.expected));
  }
}

TEST(Score, FreeSetsPointsToTheScoreAfterTheScoreIsRaised) {
  TestGame t;
  t.g.cheats.Set(Cheat::Free, true);
  t.g.Points = 25;
  t.g.Score = 12;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Score, 15);
  EXPECT_EQ(t.g.Points, 15);
  EXPECT_EQ(t.g.scene.Label1.Caption, "15");
}

// One frame from the given level clock with the helicopter's spawn draw hitting: did one start?
bool CopterStartsFrom(float levelClock) {
  TestGame t;
  t.g.LevelClock = levelClock;
  t.random.queue = {0.0f, 0.9f, 0.9f, 0.5f};  // the spawn draw, then speed, direction, height
  RunFrame(t.g);
  return t.g.Copters.UpperBound() == 1;
}

// The same for a jet: the helicopter's spawn draw misses, the jet's hits.
bool JetStartsFrom(float levelClock) {
  TestGame t;
  t.g.LevelClock = levelClock;
  t.random.queue = {0.5f, 0.0f, 0.9f, 0.5f};
  RunFrame(t.g);
  return t.g.Jets.UpperBound() == 1;
}

TEST(Level, NewAircraftOnlyInTheirPhaseBoundsExcluded) {
  EXPECT_TRUE(CopterStartsFrom(0));
  EXPECT_TRUE(CopterStartsFrom(4.5f));
  EXPECT_FALSE(CopterStartsFrom(LevelClockBefore(5.0f))) << "5.0 itself is past the phase";
  EXPECT_FALSE(CopterStartsFrom(6.0f));
  EXPECT_FALSE(JetStartsFrom(4.0f));
  EXPECT_FALSE(JetStartsFrom(LevelClockBefore(5.5f)));
  EXPECT_TRUE(JetStartsFrom(LevelClockBefore(std::nextafter(5.5f, 6.0f))));
  EXPECT_TRUE(JetStartsFrom(7.0f));
  EXPECT_FALSE(JetStartsFrom(LevelClockBefore(7.5f)));
}

TEST(Level, NoNewAircraftAfterDeath) {
  TestGame t;
  t.g.Dead = true;
  t.random.queue = {0.0f, 0.0f};
  RunFrame(t.g);
  EXPECT_EQ(t.g.Copters.UpperBound() + t.g.Jets.UpperBound(), 0);
}

TEST(Level, LastsEightThousandAndOneFramesWithItsPhasesInPlace) {
  TestGame t;
  int frame = 0;
  int lastCopterFrame = 0, firstJetFrame = 0, lastJetFrame = 0;
  while (t.g.Level == 0) {
    RunFrame(t.g);
    ++frame;
    ASSERT_LT(frame, 9000);
    const float lc = t.g.LevelClock;
    if (t.g.Level == 0 && lc < 5.0f) lastCopterFrame = frame;
    if (5.5f < lc && lc < 7.5f) {
      if (firstJetFrame == 0) firstJetFrame = frame;
      lastJetFrame = frame;
    }
  }
  EXPECT_EQ(frame, 8001);
  EXPECT_EQ(lastCopterFrame, 5000);
  EXPECT_EQ(firstJetFrame, 5501);
  EXPECT_EQ(lastJetFrame, 7500);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 2");
  EXPECT_EQ(t.g.LevelClock, 0);
  EXPECT_EQ(t.g.BombMinOffset, -1050);
  EXPECT_EQ(t.g.BombMaxOffset, 1050);
}

TEST(Level, ExactlyEightIsNotYetTheEnd) {
  TestGame t;
  t.g.LevelClock = LevelClockBefore(8.0f);
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 0);
  EXPECT_EQ(t.g.LevelClock, 8.0f);
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 1);
}

TEST(Level, StopsAtTheEleventhAndGoesOnWithoutEnd) {
  TestGame t;
  t.g.Level = 9;
  t.g.LevelClock = 8.0f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 10);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 11");
  t.g.LevelClock = 8.0f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 10);
  EXPECT_EQ(t.window.caption,
            "Flakmire  -  This inferno will never end so press '~' to submit your score");
  t.g.LevelClock = 8.0f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 10);
  EXPECT_EQ(t.window.caption, EndlessCaption);
}

TEST(Level, ChangeWhileDeadKeepsTheLevelButWidensTheBombingWindow) {
  TestGame t;
  t.g.Level = 5;
  t.g.Dead = true;
  t.g.LevelClock = 8.0f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 5);
  EXPECT_EQ(t.g.LevelClock, 0);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 6");
  EXPECT_EQ(t.g.BombMaxOffset, 1050);
}

TEST(Flags, WidthFollowsTheWind) {
  EXPECT_EQ(FlagWidth(0), 0);
  EXPECT_EQ(FlagWidth(0.5f), 4);   // 12.5 rounds to even 12
  EXPECT_EQ(FlagWidth(-0.3f), 2);  // 7.5000003 rounds to 8
  EXPECT_EQ(FlagWidth(3), 25);
  EXPECT_EQ(FlagWidth(-3), 25);
}

TEST(Flags, HangDownwindOfTheirPoles) {
  TestGame t;
  t.g.Wind = -0.3f;
  t.g.WindDrift = t.g.Wind / 1000;
  t.g.Dead = true;  // keeps the wind still
  RunFrame(t.g);
  for (int i : {1, 2}) {
    EXPECT_EQ(t.g.scene.shpFlag[i].Width, 2);
    EXPECT_EQ(t.g.scene.shpFlag[i].Left, t.g.scene.lnFlagPole[i].X1 - 1);
    EXPECT_EQ(t.g.scene.shpFlag[i].Top, 464) << "the flag keeps its top";
  }
  t.g.Wind = 3;
  t.g.WindDrift = 0.003f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.scene.shpFlag[1].Width, 25);
  EXPECT_EQ(t.g.scene.shpFlag[1].Left, t.g.scene.lnFlagPole[1].X1);
}

TEST(Flags, PoleWalksToItsTargetAThirdOfAPixelAFrame) {
  TestGame t;
  Line& pole = t.g.scene.lnFlagPole[1];
  pole.Tag = "200";
  for (int frame = 1; frame <= 407; ++frame) RunFrame(t.g);
  EXPECT_GT(200 - pole.X1, 0.3f);
  RunFrame(t.g);
  EXPECT_LT(std::fabs(pole.X1 - 200), 1.0f / 3);
  EXPECT_EQ(pole.X2, pole.X1) << "the pole stays upright";
  int side = pole.X1 < 200 ? -1 : 1;
  for (int frame = 0; frame < 6; ++frame) {
    RunFrame(t.g);
    const int now = pole.X1 < 200 ? -1 : 1;
    EXPECT_EQ(now, -side) << "it steps back and forth across the target";
    EXPECT_LT(std::fabs(pole.X1 - 200), 1.0f / 3 + 0.001f);
    side = now;
  }
}

TEST(Flags, UnsetTargetReadsAsZero) {
  TestGame t;
  const float start = t.g.scene.lnFlagPole[0].X1;
  RunFrame(t.g);
  EXPECT_FLOAT_EQ(t.g.scene.lnFlagPole[0].X1, start - 1.0f / 3);
  EXPECT_FALSE(t.g.scene.lnFlagPole[0].Visible);
}

TEST(Wind, StepsByATenthAndStaysWithinThree) {
  TestGame t;
  t.random.Seed(7);
  t.g.Level = 10;  // the wind changes most often on the last level
  float lowest = 0, highest = 0;
  for (int frame = 0; frame < 40000; ++frame) {
    const float before = t.g.Wind;
    t.g.LevelClock = 7.6f;  // the quiet end of the level: no new aircraft
    RunFrame(t.g);
    ASSERT_LE(std::fabs(t.g.Wind), 3.0f);
    ASSERT_LE(std::fabs(t.g.Wind - before), 0.1001f);
    EXPECT_FLOAT_EQ(t.g.WindDrift, t.g.Wind / 1000);
    lowest = std::min(lowest, t.g.Wind);
    highest = std::max(highest, t.g.Wind);
  }
  EXPECT_LT(lowest, -0.5f);
  EXPECT_GT(highest, 0.5f);
}

TEST(Wind, IsClampedAtThree) {
  TestGame t;
  t.g.Wind = 3.0f;
  t.random.queue = {0.5f, 0.5f, 0.0f, 0.99f};  // spawn draws; the wind's change, then +0.1
  RunFrame(t.g);
  EXPECT_EQ(t.g.Wind, 3.0f);
}

TEST(Pacing, WaitsForTheClockToMoveOnBySleeping) {
  TestGame t;
  t.g.LastFrameTime = t.clock.now;
  RunFrame(t.g);
  EXPECT_EQ(t.clock.sleeps, 1);
  EXPECT_DOUBLE_EQ(t.g.FrameMs, 15.625);
  EXPECT_TRUE(t.g.FastFrame);
  EXPECT_EQ(t.g.LastFrameTime, t.clock.now);
}

TEST(Pacing, NoWaitWhilePointsIsZero) {
  TestGame t;
  t.clock.frozen = true;
  t.g.Points = 0;
  t.g.LastFrameTime = t.clock.now;
  for (int i = 0; i < 100; ++i) RunFrame(t.g);
  EXPECT_EQ(t.clock.sleeps, 0);
  EXPECT_EQ(t.g.FrameMs, 0);
}

TEST(Pacing, FirstFrameOfTheProgramIsSlow) {
  TestGame t;
  RunFrame(t.g);
  EXPECT_DOUBLE_EQ(t.g.FrameMs, 36000.0 * 1000);
  EXPECT_FALSE(t.g.FastFrame);
}

TEST(Pacing, GoesOnAcrossMidnight) {
  TestGame t;
  t.g.LastFrameTime = 86400 - 1.0 / 64;
  t.clock.now = 0;
  RunFrame(t.g);
  EXPECT_EQ(t.clock.sleeps, 0);
  EXPECT_DOUBLE_EQ(t.g.FrameMs, 15.625);
}

TEST(Yield, OnEveryFourthFrameOfTheLevelClockAndAtEveryLevelChange) {
  TestGame t;
  std::vector<int> yieldingFrames;
  for (int frame = 1; frame <= 20; ++frame) {
    const int before = t.pump.yields;
    RunFrame(t.g);
    if (t.pump.yields != before) yieldingFrames.push_back(frame);
  }
  EXPECT_EQ(yieldingFrames, (std::vector<int>{4, 8, 12, 16, 20}));

  t.g.LevelClock = LevelClockBefore(8.0f) + 0.0005f;
  const int before = t.pump.yields;
  RunFrame(t.g);
  ASSERT_EQ(t.g.LevelClock, 0) << "a level change";
  EXPECT_EQ(t.pump.yields, before + 1);
}

TEST(Tick, RunsFramesUntilTheGunnerDies) {
  TestGame t;
  t.pump.onYield = [&] {
    if (t.pump.yields == 10) {
      t.g.DeathMethod = "2";
      BeKilled(t.g);
    }
  };
  Timer1_Timer(t.g);
  EXPECT_EQ(t.window.presents, 40) << "every frame is painted";
  EXPECT_FALSE(t.g.TickRunning);
}

TEST(Tick, RunsOneFrameAfterDeath) {
  TestGame t;
  t.g.Dead = true;
  for (int tick = 1; tick <= 3; ++tick) {
    Timer1_Timer(t.g);
    EXPECT_EQ(t.window.presents, tick);
    EXPECT_FLOAT_EQ(t.g.LevelClock, 0.001f * tick);
  }
}

TEST(Tick, NeverNests) {
  TestGame t;
  int nestedTicks = 0;
  t.pump.onYield = [&] {
    const int presents = t.window.presents;
    Timer1_Timer(t.g);  // a tick that came due during the yield
    if (t.window.presents != presents) ++nestedTicks;
    if (t.pump.yields == 5) BeKilled(t.g);
  };
  Timer1_Timer(t.g);
  EXPECT_EQ(nestedTicks, 0);
  EXPECT_EQ(t.window.presents, 20);
}

TEST(Tick, PlayingAgainFromInsideAYieldGoesOnInTheSameTick) {
  TestGame t;
  t.g.Dead = true;
  t.pump.onYield = [&] {
    if (t.pump.yields == 1) ResetGame(t.g);  // the play button of a window opened in a yield
    if (t.pump.yields == 3) BeKilled(t.g);
  };
  for (int i = 0; i < 4; ++i) Timer1_Timer(t.g);  // the fourth frame yields
  EXPECT_EQ(t.pump.yields, 3);
  EXPECT_TRUE(t.g.Dead);
}

// The pointer timer on a scripted millisecond clock, as the shell runs it from the start.
struct PointerTest : ::testing::Test {
  TestGame t;
  PointerTest() {
    t.timers.onFire = [this](TimerId id) {
      if (id == TimerId::tmrTrans) tmrTrans_Timer(t.g);
    };
    t.timers.SetEnabled(TimerId::tmrTrans, TimerRunsAtStart(TimerId::tmrTrans));
  }
};

TEST_F(PointerTest, HidesFourSecondsAfterTheWindowOpens) {
  t.timers.AdvanceMs(3999);
  EXPECT_EQ(t.window.pointer, Pointer::Normal);
  t.timers.AdvanceMs(1);
  EXPECT_EQ(t.window.pointer, Pointer::Hidden);
  EXPECT_FALSE(t.timers.IsEnabled(TimerId::tmrTrans));
}

TEST_F(PointerTest, ShowsOnMouseMoveAndHidesAgainAfterFourSecondsOfRest) {
  t.timers.AdvanceMs(5000);
  Form_MouseMove(t.g);
  EXPECT_EQ(t.window.pointer, Pointer::Normal);
  t.timers.AdvanceMs(3999);
  EXPECT_EQ(t.window.pointer, Pointer::Normal);
  t.timers.AdvanceMs(1);
  EXPECT_EQ(t.window.pointer, Pointer::Hidden);
}

TEST_F(PointerTest, MovingWhileTheTimerRunsDoesNotRestartIt) {
  t.timers.AdvanceMs(3000);
  Form_MouseMove(t.g);
  t.timers.AdvanceMs(1000);
  EXPECT_EQ(t.window.pointer, Pointer::Hidden);
}

}  // namespace
}  // namespace flakmire::testing
