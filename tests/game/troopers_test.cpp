// Troopers in the air: the fall, the parachute, drift, the wire coils, touch-down and crushing,
// the two trooper cheats, and the trooper table.

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/test_game.h"
#include "game/troopers.h"

namespace flakmire::testing {
namespace {

// A game whose blood spurts make 12 drops each (FrameMs 0 on a fast frame).
struct Field : TestGame {
  Field() {
    g.FastFrame = true;
    g.FrameMs = 0;
  }
};

// A trooper at (x, y), falling at yVel with his parachute in the given state; returns his slot.
int Add(TestGame& t, float x, float y, float yVel, std::int32_t chute, float xVel = 0) {
  CreateTrooper(t.g, x, y, xVel);
  const int i = t.g.Troopers.UpperBound();
  t.g.Troopers[i].YVel = yVel;
  t.g.Troopers[i].ChuteState = chute;
  t.g.scene.imgPara[i].Visible = chute == ChuteOpen;
  return i;
}

int BloodAt(const Game& g, float x, float y) {
  int drops = 0;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    const BulletData& b = g.Bullets[i];
    if (b.Active && b.Kind == BloodDrop && b.X == x && b.Y == y) ++drops;
  }
  return drops;
}

// The speed that one frame of gravity turns into exactly `target`.
float SpeedBefore(float target) {
  float v = target - 0.03f;
  while (v + 0.03f < target) v = std::nextafter(v, 10.0f);
  while (v + 0.03f > target) v = std::nextafter(v, 0.0f);
  return v;
}

TEST(TrooperCreate, FallsFromRestWithTheNormalPictureInTheLowestFreeSlot) {
  TestGame t;
  Add(t, 0, 0, 5, ChuteGone);
  Add(t, 0, 0, 0, ChuteOpen);
  // Slot 1's trooper ended in a pyramid with his arms raised.
  t.g.Troopers[1].Active = false;
  t.g.Troopers[1].PyramidPos = -3;
  t.g.scene.imgTrooper[1].Picture = PictureId::TrooperArmsRaised;
  t.g.scene.imgTrooper[1].Visible = false;

  CreateTrooper(t.g, 120, 60, -1.5f);
  const TrooperData& trooper = t.g.Troopers[1];
  EXPECT_TRUE(trooper.Active);
  EXPECT_EQ(trooper.X, 120);
  EXPECT_EQ(trooper.Y, 60);
  EXPECT_EQ(trooper.XVel, -1.5f);
  EXPECT_EQ(trooper.YVel, 0);
  EXPECT_EQ(trooper.ChuteState, ChuteClosed);
  EXPECT_EQ(trooper.PyramidPos, 0);
  const Sprite& soldier = t.g.scene.imgTrooper[1];
  EXPECT_EQ(soldier.Picture, PictureId::Trooper);
  EXPECT_TRUE(soldier.Visible);
  EXPECT_EQ(soldier.Left, 120);
  EXPECT_EQ(soldier.Top, 60);
  EXPECT_FALSE(t.g.scene.imgPara[1].Visible);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 2);
}

// Without wind the speed is sqrt((XVel / 4)^2 + YVel^2) with YVel = 0.03 a frame: it first
// exceeds 2.2 at frame 74 for XVel 0 and at frame 72 for XVel 2 (YVel above sqrt(2.2^2 - 0.5^2)).
// The wind is added before the opening cuts XVel to a fifth.
TEST(TrooperDescent, ParachuteOpensAndSinksAtAConstantRate) {
  struct Row {
    float xVel, drift;
    int openingFrame;
  };
  for (const Row& row : {Row{0, 0, 74}, Row{2, 0, 72}, Row{2, 0.002f, 72}}) {
    TestGame t;
    t.g.WindDrift = row.drift;
    CreateTrooper(t.g, 300, 100, row.xVel);
    const TrooperData& trooper = t.g.Troopers[1];
    const Sprite& canopy = t.g.scene.imgPara[1];
    SCOPED_TRACE(::testing::Message() << row.xVel << " " << row.drift);
    for (int frame = 1; frame < row.openingFrame; ++frame) DoTroopers(t.g);
    ASSERT_EQ(trooper.ChuteState, ChuteClosed);
    ASSERT_FALSE(canopy.Visible);

    DoTroopers(t.g);
    EXPECT_EQ(trooper.ChuteState, ChuteOpen);
    EXPECT_TRUE(canopy.Visible);
    EXPECT_NEAR(trooper.XVel, (row.xVel + row.openingFrame * row.drift) / 5, 1e-5);
    EXPECT_NEAR(trooper.YVel, 0.03 * row.openingFrame, 1e-4) << "still the fall's speed";

    for (int frame = 0; frame < 3; ++frame) {
      const TrooperData before = trooper;
      DoTroopers(t.g);
      EXPECT_EQ(trooper.YVel, 0.8f);
      EXPECT_EQ(trooper.Y, before.Y + 0.8f);
      EXPECT_EQ(trooper.XVel, before.XVel + row.drift);
      EXPECT_EQ(trooper.X, before.X + trooper.XVel);
      EXPECT_EQ(t.g.scene.imgTrooper[1].Left, trooper.X);
      EXPECT_EQ(t.g.scene.imgTrooper[1].Top, trooper.Y);
      EXPECT_EQ(canopy.Left, trooper.X - 8);
      EXPECT_EQ(canopy.Top, trooper.Y - 17);
    }
  }
}

// A trooper whose canopy is gone can touch down at any speed; one under the canopy sinks at 0.8.
TEST(TrooperDescent, TouchDownAtUpTo2_2IsSafeAndFasterIsFatal) {
  const float safest = SpeedBefore(2.2f), fatal = std::nextafter(safest, 3.0f);
  ASSERT_EQ(safest + 0.03f, 2.2f);
  ASSERT_GT(fatal + 0.03f, 2.2f);
  struct Row {
    std::int32_t chute;
    float yVel;
    bool safe;
  };
  for (const Row& row :
       {Row{ChuteOpen, 0, true}, Row{ChuteGone, safest, true}, Row{ChuteGone, fatal, false}}) {
    Field t;
    const int i = Add(t, 200, 462.5f, row.yVel, row.chute, 0.4f);
    DoTroopers(t.g);
    const TrooperData& trooper = t.g.Troopers[i];
    SCOPED_TRACE(row.yVel);
    EXPECT_EQ(trooper.Active, row.safe);
    EXPECT_EQ(t.g.scene.imgTrooper[i].Visible, row.safe);
    EXPECT_FALSE(t.g.scene.imgPara[i].Visible);
    if (row.safe) {
      EXPECT_EQ(trooper.Y, 463);
      EXPECT_EQ(trooper.YVel, 0);
      EXPECT_EQ(trooper.XVel, 0);
      EXPECT_EQ(trooper.ChuteState, ChuteGone) << "packed away";
      EXPECT_EQ(t.g.Points, 10);
      EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
    } else {
      EXPECT_EQ(t.g.Points, 25);
      EXPECT_EQ(BloodAt(t.g, trooper.X + 8, trooper.Y + 25), 12);
    }
  }
}

TEST(TrooperDescent, FatalFallCrushesOnlyThoseStandingRightBeside) {
  Field t;
  const int faller = Add(t, 200, 462, 3, ChuteGone);
  struct Neighbour {
    float x, y;
    std::int32_t pyramidPos;
    bool crushed;
    int slot = 0;
  };
  Neighbour neighbours[] = {{208.9f, 463, 0, true},  // standing 8.9 px away
                            {191.1f, 463, 0, true},  // on either side
                            {209, 463, 0, false},    // 9 px is out of reach
                            {191, 463, 0, false},    // on either side
                            {200, 438, 1, false},    // in a pyramid, above the ground
                            {203, 462, 0, false}};   // still in the air
  for (Neighbour& n : neighbours) {
    n.slot = Add(t, n.x, n.y, 0, ChuteGone);
    t.g.Troopers[n.slot].PyramidPos = n.pyramidPos;
  }
  DoTroopers(t.g);
  const TrooperData& fallen = t.g.Troopers[faller];
  EXPECT_FALSE(fallen.Active);
  EXPECT_EQ(t.g.Points, 25) << "the crushed earn nothing";
  EXPECT_EQ(BloodAt(t.g, 208, fallen.Y + 25), 12);
  for (const Neighbour& n : neighbours) {
    SCOPED_TRACE(n.x);
    EXPECT_EQ(t.g.Troopers[n.slot].Active, !n.crushed);
    EXPECT_EQ(t.g.scene.imgTrooper[n.slot].Visible, !n.crushed);
    EXPECT_EQ(BloodAt(t.g, n.x + 8, n.y + 12), n.crushed ? 12 : 0);
  }
}

// The coil on the bunker's roof: 344 < X < 424 at 408 <= Y < 416.
TEST(TrooperWire, RoofCoilKillsAndPaysOnlyForATrooperWithoutACanopy) {
  struct Row {
    float x, y;
    std::int32_t chute;
    bool dies;
  };
  for (const Row& row : {Row{380, 410, ChuteOpen, true}, Row{380, 410, ChuteClosed, true},
                         Row{380, 410, ChuteGone, true}, Row{380, 408, ChuteGone, true},
                         Row{344.1f, 415.9f, ChuteGone, true}, Row{423.9f, 410, ChuteGone, true},
                         Row{380, 407.9f, ChuteGone, false}, Row{380, 416, ChuteGone, false},
                         Row{344, 410, ChuteGone, false}, Row{424, 410, ChuteGone, false}}) {
    Field t;
    const int i = Add(t, row.x, row.y, 0, row.chute);
    DoTroopers(t.g);
    SCOPED_TRACE(::testing::Message() << row.x << " " << row.y << " " << row.chute);
    EXPECT_EQ(t.g.Troopers[i].Active, !row.dies);
    EXPECT_EQ(t.g.Points, row.dies && row.chute == ChuteGone ? 25 : 10);
    if (row.dies) {
      EXPECT_FALSE(t.g.scene.imgTrooper[i].Visible);
      EXPECT_FALSE(t.g.scene.imgPara[i].Visible);
      EXPECT_EQ(BloodAt(t.g, row.x + 8, row.y + 25), 12);
    }
  }
}

// The coils at the ground's edges: X < 56 or X > 712 at Y >= 456. Nobody earns points there.
TEST(TrooperWire, EdgeCoilsKillWithoutPoints) {
  struct Row {
    float x, y;
    bool dies;
  };
  for (const Row& row : {Row{55.9f, 456, true}, Row{712.1f, 463, true}, Row{56, 456, false},
                         Row{712, 463, false}, Row{30, 455.9f, false}}) {
    Field t;
    const int i = Add(t, row.x, row.y, 0, ChuteOpen);
    DoTroopers(t.g);
    SCOPED_TRACE(::testing::Message() << row.x << " " << row.y);
    EXPECT_EQ(t.g.Troopers[i].Active, !row.dies);
    EXPECT_EQ(t.g.Points, 10);
    if (row.dies) {
      EXPECT_FALSE(t.g.scene.imgPara[i].Visible);
      EXPECT_EQ(BloodAt(t.g, row.x + 8, row.y + 25), 12);
    }
  }
}

// Killing a trooper doesn't end his turn: this one dies on the edge coil and then, in the same
// frame, touches down too fast and dies of the fall, for 15 points and a second spurt.
TEST(TrooperWire, DeadTroopersLaterStepsStillRunInTheSameFrame) {
  Field t;
  const int i = Add(t, 30, 460, 3, ChuteGone);
  DoTroopers(t.g);
  const TrooperData& trooper = t.g.Troopers[i];
  EXPECT_FALSE(trooper.Active);
  EXPECT_FLOAT_EQ(trooper.Y, 463.03f);
  EXPECT_EQ(t.g.Points, 25);
  EXPECT_EQ(BloodAt(t.g, 38, 485), 12);
  EXPECT_EQ(BloodAt(t.g, 38, trooper.Y + 25), 12);
  EXPECT_EQ(t.g.scene.imgTrooper[i].Top, trooper.Y) << "the sprite still follows";
}

// Only reachable by switching "No Parachutes" off during a fast fall through the roof coil.
TEST(TrooperWire, ATrooperKilledInFreeFallNeverOpensHisParachute) {
  Field t;
  const int i = Add(t, 380, 410, 2.5f, ChuteClosed);
  DoTroopers(t.g);
  EXPECT_FALSE(t.g.Troopers[i].Active);
  EXPECT_FALSE(t.g.scene.imgPara[i].Visible);
  CreateTrooper(t.g, 100, 50, 0);
  EXPECT_FALSE(t.g.scene.imgPara[i].Visible) << "the next trooper in the slot has no canopy yet";
}

TEST(TrooperCheats, NoParachutesMakesEveryFallFatal) {
  Field t;
  t.g.cheats.Set(Cheat::NoParachutes, true);
  CreateTrooper(t.g, 300, 100, 1);
  int frames = 0;
  while (t.g.Troopers[1].Active) {
    ASSERT_LT(++frames, 400);
    DoTroopers(t.g);
    ASSERT_EQ(t.g.Troopers[1].ChuteState, ChuteClosed);
    ASSERT_FALSE(t.g.scene.imgPara[1].Visible);
  }
  EXPECT_GT(t.g.Troopers[1].Y, 463);
  EXPECT_EQ(t.g.Troopers[1].XVel, 1) << "never cut by an opening";
  EXPECT_EQ(t.g.Points, 25);
}

// X < 0 sends a trooper right, X + 8 > 794 sends him left, each at 0.9 of his speed.
TEST(TrooperCheats, JumpingCastleWallsTurnTroopersBack) {
  struct Row {
    bool castle;
    float x, xVel, expected;
  };
  for (const Row& row : {Row{true, -1, -2, 1.8f}, Row{true, -1, 2, 1.8f}, Row{true, 0, -2, -2},
                         Row{true, 787, 1, -0.9f}, Row{true, 787, -1, -0.9f}, Row{true, 786, 1, 1},
                         Row{false, -1, -2, -2}, Row{false, 787, 1, 1}}) {
    TestGame t;
    t.g.cheats.Set(Cheat::JumpingCastle, row.castle);
    const int i = Add(t, row.x, 100, 0.8f, ChuteOpen, row.xVel);
    DoTroopers(t.g);
    SCOPED_TRACE(::testing::Message() << row.castle << " " << row.x << " " << row.xVel);
    EXPECT_FLOAT_EQ(t.g.Troopers[i].XVel, row.expected);
    EXPECT_EQ(t.g.Troopers[i].X, row.x + t.g.Troopers[i].XVel);
  }
}

TEST(TrooperCheats, JumpingCastleGroundBouncesAFatalFall) {
  Field t;
  t.g.cheats.Set(Cheat::JumpingCastle, true);
  const int i = Add(t, 200, 462, 3, ChuteGone);
  DoTroopers(t.g);
  const TrooperData& trooper = t.g.Troopers[i];
  EXPECT_TRUE(trooper.Active);
  EXPECT_FLOAT_EQ(trooper.YVel, -3.03f * 0.9f);
  EXPECT_FLOAT_EQ(trooper.Y, 465.03f) << "left below the ground for this frame";
  EXPECT_EQ(t.g.Points, 10);
  EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
  DoTroopers(t.g);
  EXPECT_LT(trooper.Y, 463) << "on the way up";
}

TEST(TrooperTable, FreeTopSlotsDrainOnePerFrameDownToTheTemplate) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateTrooper(t.g, 100, 100, 0);
  for (int i = 1; i <= 3; ++i) t.g.Troopers[i].Active = false;
  for (int expected : {2, 1, 0, 0}) {
    DoTroopers(t.g);
    EXPECT_EQ(t.g.Troopers.UpperBound(), expected);
    EXPECT_EQ(t.g.scene.imgTrooper.UpperBound(), expected);
    EXPECT_EQ(t.g.scene.imgPara.UpperBound(), expected);
  }
}

}  // namespace
}  // namespace flakmire::testing
