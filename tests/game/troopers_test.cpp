// Troopers: the parachute, touch-down and crushing, the roof coil, and the two trooper cheats.

#include "game/troopers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// A trooper at (x, y), falling at yVel with his parachute in the given state.
void Add(TestGame& t, float x, float y, float yVel, std::int32_t chute, float xVel = 0) {
  CreateTrooper(t.g, x, y, xVel);
  const int i = t.g.Troopers.UpperBound();
  t.g.Troopers[i].YVel = yVel;
  t.g.Troopers[i].ChuteState = chute;
  t.g.scene.imgPara[i].Visible = chute == ChuteOpen;
}

// Without wind the speed sqrt((XVel / 4)^2 + YVel^2), YVel growing 0.03 a frame, first exceeds
// 2.2 at frame 74 for XVel 0 and at frame 72 for XVel 2.
TEST(Troopers, ParachuteOpensPastTheLimitAndThenSinksAt0_8) {
  for (const auto& [xVel, openingFrame] : {std::pair{0.0f, 74}, std::pair{2.0f, 72}}) {
    TestGame t;
    CreateTrooper(t.g, 300, 100, xVel);
    const TrooperData& trooper = t.g.Troopers[1];
    for (int frame = 1; frame < openingFrame; ++frame) DoTroopers(t.g);
    ASSERT_EQ(trooper.ChuteState, ChuteClosed) << xVel;
    DoTroopers(t.g);
    EXPECT_EQ(trooper.ChuteState, ChuteOpen) << xVel;
    EXPECT_TRUE(t.g.scene.imgPara[1].Visible);
    EXPECT_EQ(trooper.XVel, xVel / 5);
    DoTroopers(t.g);
    EXPECT_EQ(trooper.YVel, 0.8f);
  }
}

TEST(Troopers, TouchDownAtUpTo2_2IsSafeAndFasterIsFatal) {
  const float safest = 2.2f - 0.03f;  // gravity makes it 2.2 on the way down
  ASSERT_EQ(safest + 0.03f, 2.2f);
  for (const auto& [yVel, safe] :
       {std::pair{safest, true}, {std::nextafter(safest, 3.0f), false}}) {
    TestGame t;
    Add(t, 200, 462.5f, yVel, ChuteGone);
    DoTroopers(t.g);
    EXPECT_EQ(t.g.Troopers.UpperBound(), safe ? 1 : 0) << yVel;
    EXPECT_EQ(t.g.Points, safe ? 10 : 25);
  }
}

// A fatal fall kills those standing less than 9 px beside the spot, and nobody above the ground.
TEST(Troopers, FatalFallCrushesOnlyThoseStandingRightBeside) {
  TestGame t;
  Add(t, 200, 462, 3, ChuteGone);
  // Standing 8.9 px to either side (slots 2 and 3), then 9 px (slots 4 and 5).
  for (float x : {208.9f, 191.1f, 209.0f, 191.0f}) Add(t, x, StandingY, 0, ChuteGone);
  Add(t, 203, 462, 0, ChuteGone);  // not yet down
  DoTroopers(t.g);
  EXPECT_EQ(t.g.Points, 25) << "the crushed earn nothing";
  EXPECT_FALSE(t.g.Troopers[1].Active || t.g.Troopers[2].Active || t.g.Troopers[3].Active);
  EXPECT_TRUE(t.g.Troopers[4].Active && t.g.Troopers[5].Active && t.g.Troopers[6].Active);
}

// The roof coil pays 15 only for a trooper who had lost his canopy. One killed there in free fall
// must not open his parachute after death: the canopy would hang over the slot's next trooper.
TEST(Troopers, RoofCoilKillsAndPaysOnlyForATrooperWithoutACanopy) {
  for (const auto& [chute, yVel, points] :
       {std::tuple{ChuteOpen, 0.0f, 10}, {ChuteGone, 0.0f, 25}, {ChuteClosed, 2.5f, 10}}) {
    TestGame t;
    Add(t, 380, 410, yVel, chute);
    CreateTrooper(t.g, 100, 50, 0);  // holds the table above the slot
    DoTroopers(t.g);
    EXPECT_FALSE(t.g.Troopers[1].Active) << chute;
    EXPECT_EQ(t.g.Points, points);
    CreateTrooper(t.g, 100, 50, 0);
    EXPECT_FALSE(t.g.scene.imgPara[1].Visible) << "not even on the next trooper in the slot";
  }
}

TEST(TrooperCheats, NoParachutesMakesEveryFallFatal) {
  TestGame t;
  t.g.cheats.Set(Cheat::NoParachutes, true);
  CreateTrooper(t.g, 300, 100, 0);
  for (int frame = 0; frame < 400; ++frame) DoTroopers(t.g);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 0);
  EXPECT_EQ(t.g.Points, 25);
}

// X < 0 turns a trooper right and X + 8 > 794 left, and a fatal touch-down bounces him up, each
// at 0.9 of his speed.
TEST(TrooperCheats, JumpingCastleBouncesOffBothWallsAndTheGround) {
  TestGame t;
  t.g.cheats.Set(Cheat::JumpingCastle, true);
  // X, XVel, and XVel after the step.
  const std::tuple<float, float, float> walls[] = {
      {-1, -2, 1.8f}, {0, -2, -2}, {787, 1, -0.9f}, {786, 1, 1}};
  for (const auto& [x, xVel, after] : walls) Add(t, x, 100, 0, ChuteOpen, xVel);
  Add(t, 200, 462, 3, ChuteGone);
  DoTroopers(t.g);
  int slot = 0;
  for (const auto& [x, xVel, after] : walls) EXPECT_FLOAT_EQ(t.g.Troopers[++slot].XVel, after) << x;
  EXPECT_TRUE(t.g.Troopers[5].Active);
  EXPECT_FLOAT_EQ(t.g.Troopers[5].YVel, -3.03f * 0.9f);
}

}  // namespace
}  // namespace flakmire::testing
