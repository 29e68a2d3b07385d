// The frame and the timers: score, levels and captions, wind and flags, pacing, yields, ticks,
// and the pointer that hides when the mouse rests.

#include "game/game_loop.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/test_game.h"
#include "game/death.h"

namespace flakmire::testing {
namespace {

TEST(Score, FollowsTheHighestPointsLessTenWhileAliveAndFreeSpendsIt) {
  struct Row {
    int points, score;
    bool dead, free;
    int expectedScore, expectedPoints;
  };
  for (const Row& row : {Row{57, 40, false, false, 47, 57}, Row{50, 40, false, false, 40, 50},
                         Row{57, 40, true, false, 40, 57}, Row{25, 12, false, true, 15, 15}}) {
    TestGame t;
    t.g.Points = row.points;
    t.g.Score = row.score;
    t.g.Dead = row.dead;
    t.g.cheats.Set(Cheat::Free, row.free);
    RunFrame(t.g);
    EXPECT_EQ(t.g.Score, row.expectedScore) << row.points;
    EXPECT_EQ(t.g.Points, row.expectedPoints) << row.points;
    EXPECT_EQ(t.g.scene.Label1.Caption, std::to_string(row.expectedPoints));
    EXPECT_EQ(t.g.scene.Label2.Caption, std::to_string(row.expectedScore));
  }
}

// One frame from this level clock, with the first spawn draw hitting: did an aircraft start?
bool Starts(float levelClock, bool jet, bool dead = false) {
  TestGame t;
  t.g.LevelClock = levelClock;
  t.g.Dead = dead;
  // The helicopter's spawn draw (then its speed, direction, height), or a miss and the jet's.
  t.random.queue = jet ? std::deque<float>{0.5f, 0.0f} : std::deque<float>{0.0f, 0.9f, 0.9f};
  RunFrame(t.g);
  return (jet ? t.g.Jets.UpperBound() : t.g.Copters.UpperBound()) == 1;
}

TEST(Level, NewAircraftOnlyInTheirPhaseWithBothBoundsExcluded) {
  EXPECT_TRUE(Starts(0, false));
  EXPECT_TRUE(Starts(4.5f, false));
  EXPECT_FALSE(Starts(LevelClockBefore(5.0f), false));
  EXPECT_FALSE(Starts(6.0f, false));
  EXPECT_FALSE(Starts(LevelClockBefore(5.5f), true));
  EXPECT_TRUE(Starts(LevelClockBefore(std::nextafter(5.5f, 6.0f)), true));
  EXPECT_TRUE(Starts(7.0f, true));
  EXPECT_FALSE(Starts(LevelClockBefore(7.5f), true));
  EXPECT_FALSE(Starts(2.0f, false, true)) << "none after the gunner's death";
}

TEST(Level, LastsEightThousandAndOneFramesAndWidensTheBombingWindow) {
  TestGame t;
  int frames = 0;
  while (t.g.Level == 0) {
    RunFrame(t.g);
    ASSERT_LT(++frames, 9000);
  }
  EXPECT_EQ(frames, 8001);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 2");
  EXPECT_EQ(t.g.BombMinOffset, -1050);
  EXPECT_EQ(t.g.BombMaxOffset, 1050);
  t.g.LevelClock = LevelClockBefore(8.0f);
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 1) << "exactly 8 is not yet the end";
}

TEST(Level, StopsAtTheEleventhAndNeverRisesAfterDeath) {
  TestGame t;
  t.g.Level = 9;
  const std::string endless =
      "Flakmire  -  This inferno will never end so press '~' to submit your score";
  for (const std::string& caption : {std::string("Flakmire  Level: 11"), endless, endless}) {
    t.g.LevelClock = 8.0f;
    RunFrame(t.g);
    EXPECT_EQ(t.window.caption, caption);
  }
  EXPECT_EQ(t.g.Level, 10);
  t.g.Level = 5;
  t.g.Dead = true;
  t.g.LevelClock = 8.0f;
  RunFrame(t.g);
  EXPECT_EQ(t.g.Level, 5);
  EXPECT_EQ(t.window.caption, "Flakmire  Level: 6");
}

TEST(Flags, WidthAndSideFollowTheWind) {
  struct Row {
    float wind;
    int width;
  };
  // 12.5 rounds to even 12; -0.3 as a float gives 7.5000003, which rounds to 8.
  for (const Row& row : {Row{0, 0}, Row{0.5f, 4}, Row{-0.3f, 2}, Row{3, 25}, Row{-3, 25}}) {
    EXPECT_EQ(FlagWidth(row.wind), row.width) << row.wind;
    TestGame t;
    t.g.Wind = row.wind;
    t.g.WindDrift = row.wind / 1000;
    RunFrame(t.g);
    const Shape& flag = t.g.scene.shpFlag[1];
    const float pole = t.g.scene.lnFlagPole[1].X1;
    EXPECT_EQ(flag.Width, row.width);
    EXPECT_EQ(flag.Left, row.wind < 0 ? pole + 1 - row.width : pole) << "it flies downwind";
  }
}

TEST(Flags, PoleWalksToItsTargetAndSteadiesAcrossIt) {
  TestGame t;
  Line& pole = t.g.scene.lnFlagPole[1];
  pole.Tag = "200";
  for (int frame = 1; frame <= 407; ++frame) RunFrame(t.g);
  EXPECT_GT(200 - pole.X1, 0.3f);
  for (int frame = 408; frame < 414; ++frame) {
    const bool below = pole.X1 < 200;
    RunFrame(t.g);
    EXPECT_LT(std::fabs(pole.X1 - 200), 1.0f / 3 + 0.001f);
    if (frame > 408) {
      EXPECT_NE(pole.X1 < 200, below) << "back and forth across the target";
    }
  }
  EXPECT_EQ(pole.X2, pole.X1);
}

TEST(Wind, StepsByATenthAndStaysWithinThree) {
  TestGame t;
  t.random.Seed(7);
  t.g.Level = 10;  // the wind changes most often on the last level
  float lowest = 0, highest = 0;
  for (int frame = 0; frame < 40000; ++frame) {
    const float before = t.g.Wind;
    t.g.LevelClock = 7.6f;  // the quiet end of a level: no new aircraft
    RunFrame(t.g);
    ASSERT_LE(std::fabs(t.g.Wind), 3.0f);
    ASSERT_LE(std::fabs(t.g.Wind - before), 0.1001f);
    lowest = std::min(lowest, t.g.Wind);
    highest = std::max(highest, t.g.Wind);
  }
  EXPECT_EQ(lowest, -3.0f);
  EXPECT_EQ(highest, 3.0f);
  EXPECT_FLOAT_EQ(t.g.WindDrift, t.g.Wind / 1000);
}

TEST(Pacing, SleepsUntilTheClockMovesOnExceptWithNoPoints) {
  struct Row {
    int points;
    double lastFrame;
    float clock;
    int sleeps;
    double frameMs;
  };
  for (const Row& row : {Row{10, 36000, 36000, 1, 15.625}, Row{0, 36000, 36000, 0, 0},
                         Row{10, 0, 36000, 0, 36e6},  // the program's first frame: slow
                         Row{10, 86400 - 1.0 / 64, 0, 0, 15.625}}) {  // across midnight
    TestGame t;
    t.g.Points = row.points;
    t.g.LastFrameTime = row.lastFrame;
    t.clock.now = row.clock;
    RunFrame(t.g);
    EXPECT_EQ(t.clock.sleeps, row.sleeps) << row.lastFrame;
    EXPECT_DOUBLE_EQ(t.g.FrameMs, row.frameMs);
    EXPECT_EQ(t.g.FastFrame, row.frameMs <= 40);
  }
}

TEST(Tick, RunsFramesYieldingEveryFourthUntilTheGunnerDies) {
  TestGame t;
  std::vector<int> yieldingFrames;
  t.pump.onYield = [&] {
    yieldingFrames.push_back(t.window.presents);
    Timer1_Timer(t.g);  // a tick that comes due in a yield does nothing
    if (t.pump.yields == 5) BeKilled(t.g);
  };
  Timer1_Timer(t.g);
  EXPECT_EQ(yieldingFrames, (std::vector<int>{4, 8, 12, 16, 20})) << "every frame is painted";
  EXPECT_EQ(t.window.presents, 20);

  for (int tick = 1; tick <= 3; ++tick) {  // after the death: a frame a tick
    Timer1_Timer(t.g);
    EXPECT_EQ(t.window.presents, 20 + tick);
  }
  t.g.LevelClock = 8.0f;  // a level change always yields
  const int yields = t.pump.yields;
  RunFrame(t.g);
  EXPECT_EQ(t.pump.yields, yields + 1);
}

TEST(Tick, ClosingTheWindowInAYieldEndsItAtOnce) {
  TestGame t;
  t.pump.onYield = [&] { Form_Unload(t.g); };
  Timer1_Timer(t.g);
  const float levelClock = t.g.LevelClock;
  Timer1_Timer(t.g);
  EXPECT_EQ(t.g.LevelClock, levelClock);
  EXPECT_EQ(t.window.presents, 4);
}

// The pointer timer on a scripted millisecond clock, running from the start as the shell runs it.
struct Pointer : ::testing::Test {
  TestGame t;
  Pointer() {
    t.timers.onFire = [this](TimerId id) {
      if (id == TimerId::tmrTrans) tmrTrans_Timer(t.g);
    };
    t.timers.SetEnabled(TimerId::tmrTrans, TimerRunsAtStart(TimerId::tmrTrans));
  }
  flakmire::Pointer After(long ms) {
    t.timers.AdvanceMs(ms);
    return t.window.pointer;
  }
};

TEST_F(Pointer, HidesFourSecondsAfterTheWindowOpensAndAfterEveryRest) {
  EXPECT_EQ(After(3999), flakmire::Pointer::Normal);
  EXPECT_EQ(After(1), flakmire::Pointer::Hidden);
  After(1500);
  Form_MouseMove(t.g);
  EXPECT_EQ(After(0), flakmire::Pointer::Normal);
  EXPECT_EQ(After(3999), flakmire::Pointer::Normal);
  EXPECT_EQ(After(1), flakmire::Pointer::Hidden);
}

TEST_F(Pointer, MovingWhileItIsShownDoesNotRestartTheCountdown) {
  After(3000);
  Form_MouseMove(t.g);
  EXPECT_EQ(After(1000), flakmire::Pointer::Hidden);
}

}  // namespace
}  // namespace flakmire::testing
