// Helicopters: where and how they start, when they leave, the troopers they drop and the order in
// which they take their random numbers.

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/test_game.h"
#include "game/copters.h"

namespace flakmire::testing {
namespace {

// Draws that give round numbers: (1/32)^0.2 x 2 = 1 px a frame; floor(2u) x 2 - 1 is the direction.
constexpr float SpeedOne = 1.0f / 32;
constexpr float Rightwards = 0.7f, Leftwards = 0.2f;
constexpr float NoDrop = 0.9f;
constexpr float LastBelowOne = 0.99999994f;

TEST(CopterStart, SideSpeedPictureAndHeightComeFromTheDraws) {
  struct Row {
    std::deque<float> draws;
    float xVel, x, y;
    PictureId picture;
  };
  const float medianSpeed = static_cast<float>(std::pow(0.5, 0.2) * 2);
  for (const Row& row : {
           Row{{SpeedOne, Rightwards, 0.5f}, 1, -150, 85, PictureId::Copter},
           Row{{0.5f, Leftwards, 0}, -medianSpeed, 944, 0, PictureId::CopterFacingLeft},
           // The highest draw keeps the top edge below 170.
           Row{{SpeedOne, Rightwards, LastBelowOne},
               1,
               -150,
               std::nextafter(170.0f, 0.0f),
               PictureId::Copter},
           // A speed of exactly 0 is drawn again, direction and all; -0 counts as 0 too.
           Row{{0, Rightwards, SpeedOne, Leftwards, 0.5f},
               -1,
               944,
               85,
               PictureId::CopterFacingLeft},
           Row{{0, Leftwards, SpeedOne, Rightwards, 0.5f}, 1, -150, 85, PictureId::Copter},
       }) {
    TestGame t;
    t.random.queue = row.draws;
    CreateCopter(t.g);
    const CopterData& c = t.g.Copters[1];
    const Sprite& sprite = t.g.scene.imgCopter[1];
    SCOPED_TRACE(::testing::Message() << row.xVel << " " << row.y);
    EXPECT_EQ(t.random.draws, static_cast<int>(row.draws.size()));
    EXPECT_TRUE(c.Active);
    EXPECT_FLOAT_EQ(c.XVel, row.xVel);
    EXPECT_EQ(c.X, row.x);
    EXPECT_EQ(c.Y, row.y);
    EXPECT_EQ(c.Health, 15);
    EXPECT_EQ(sprite.Picture, row.picture);
    EXPECT_TRUE(sprite.Visible);
    EXPECT_EQ(sprite.Left, c.X);
    EXPECT_EQ(sprite.Top, c.Y);

    // The first step always takes a new helicopter inwards, never off the table.
    DoCopters(t.g, false);
    EXPECT_TRUE(t.g.Copters[1].Active);
    EXPECT_EQ(t.g.Copters[1].X, row.x + c.XVel);
    EXPECT_EQ(sprite.Left, t.g.Copters[1].X);
  }
}

TEST(CopterStart, OneHitWondersWeakensOnlyNewHelicopters) {
  TestGame t;
  CreateCopter(t.g);
  t.g.cheats.Set(Cheat::OneHitWonders, true);
  CreateCopter(t.g);
  DoCopters(t.g, false);
  t.g.cheats.Set(Cheat::OneHitWonders, false);
  CreateCopter(t.g);
  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters[1].Health, 15);
  EXPECT_EQ(t.g.Copters[2].Health, 1);
  EXPECT_EQ(t.g.Copters[3].Health, 15);
}

TEST(CopterStep, LeavesOnlyBeyondTheStartLines) {
  struct Row {
    float x, xVel;
    bool stays;
  };
  for (const Row& row :
       {Row{-149, -1, true}, Row{-149, -1.5f, false}, Row{943, 1, true}, Row{943, 1.5f, false}}) {
    TestGame t;
    CreateCopter(t.g);
    CreateCopter(t.g);  // keeps slot 1 in the table after it is freed
    CopterData& c = t.g.Copters[1];
    c.X = row.x;
    c.XVel = row.xVel;
    DoCopters(t.g, false);
    SCOPED_TRACE(row.x + row.xVel);
    EXPECT_EQ(c.Active, row.stays);
    EXPECT_EQ(t.g.scene.imgCopter[1].Visible, row.stays);
    EXPECT_EQ(t.g.scene.imgCopter[1].Left, row.x + row.xVel) << "moved, even when hidden";
  }
}

TEST(CopterStep, HelicopterThatJustLeftStillDrops) {
  TestGame t;
  t.random.queue = {SpeedOne, Rightwards, 0.5f};
  CreateCopter(t.g);
  t.g.Copters[1].X = 943;
  t.g.Copters[1].XVel = 1.5f;
  t.random.queue = {0};
  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters.UpperBound(), 0) << "gone, and trimmed";
  ASSERT_EQ(t.g.Troopers.UpperBound(), 1);
  const TrooperData& trooper = t.g.Troopers[1];
  EXPECT_TRUE(trooper.Active);
  EXPECT_EQ(trooper.X, 944.5f + 24);
  EXPECT_EQ(trooper.Y, 85 + 12);
  EXPECT_EQ(trooper.XVel, 1.5f);
  EXPECT_EQ(trooper.YVel, 0);
}

TEST(CopterStep, DrawsEachDropInSlotOrderThenTheSpawn) {
  TestGame t;
  t.random.queue = {SpeedOne, Rightwards, 0.5f, SpeedOne, Leftwards, 0};
  CreateCopter(t.g);
  CreateCopter(t.g);
  t.random.draws = 0;
  t.random.queue = {NoDrop, 0, 0, SpeedOne, Rightwards, 0.5f};
  DoCopters(t.g, true);
  EXPECT_EQ(t.random.draws, 6);
  ASSERT_EQ(t.g.Troopers.UpperBound(), 1) << "only the second helicopter drops";
  EXPECT_EQ(t.g.Troopers[1].X, 943 + 24);
  EXPECT_EQ(t.g.Troopers[1].Y, 12);
  EXPECT_EQ(t.g.Troopers[1].XVel, -1);
  ASSERT_EQ(t.g.Copters.UpperBound(), 3);
  EXPECT_EQ(t.g.Copters[3].X, -150) << "the newcomer takes its draws last";
  EXPECT_EQ(t.g.Copters[3].Y, 85);
}

TEST(CopterStep, SpawnDrawIsTakenEvenWhenNoHelicopterMayStart) {
  TestGame t;
  DoCopters(t.g, false);
  EXPECT_EQ(t.random.draws, 1) << "an empty sky still takes the spawn draw";

  CreateCopter(t.g);
  t.random.draws = 0;
  t.random.queue = {NoDrop, 0};
  DoCopters(t.g, false);
  EXPECT_EQ(t.random.draws, 2);
  EXPECT_EQ(t.g.Copters.UpperBound(), 1);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 0);
}

// Drops are 1 in 450 - 43 x Level, starts 1 in 250 - 24 x Level: draws just under and at 1 / N.
TEST(CopterStep, OddsShortenWithTheLevel) {
  struct Row {
    int level;
    float dropDraw, spawnDraw;
    bool hits;
  };
  for (const Row& row : {Row{0, 0.00222f, 0.0039f, true}, Row{0, 0.0023f, 0.004f, false},
                         Row{5, 0.0042f, 0.0076f, true}, Row{5, 0.0043f, 0.0077f, false},
                         Row{10, 0.049f, 0.099f, true}, Row{10, 0.05f, 0.1f, false}}) {
    TestGame t;
    t.g.Level = row.level;
    CreateCopter(t.g);
    t.random.queue = {row.dropDraw, row.spawnDraw};
    DoCopters(t.g, true);
    SCOPED_TRACE(row.dropDraw);
    EXPECT_EQ(t.g.Troopers.UpperBound(), row.hits ? 1 : 0);
    EXPECT_EQ(t.g.Copters.UpperBound(), row.hits ? 2 : 1);
  }
}

TEST(CopterStep, FreeTopSlotsDrainOnePerStepDownToTheTemplate) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateCopter(t.g);
  for (int i = 1; i <= 3; ++i) t.g.Copters[i].Active = false;
  for (int expected : {2, 1, 0, 0}) {
    DoCopters(t.g, false);
    EXPECT_EQ(t.g.Copters.UpperBound(), expected);
    EXPECT_EQ(t.g.scene.imgCopter.UpperBound(), expected);
  }
}

}  // namespace
}  // namespace flakmire::testing
