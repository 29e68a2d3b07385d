// Jets: their start and crossing, and the bombs they release from a window of offsets that the
// landing bombs narrow.

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/test_game.h"
#include "game/jets.h"
#include "game/projectiles.h"

namespace flakmire::testing {
namespace {

constexpr float Rightwards = 0.7f, Leftwards = 0.2f;  // floor(2u) x 2 - 1

// Starts a jet whose X after its next step is `x`; `height` is its top edge.
JetData& AddJet(TestGame& t, float x, float xVel, float height = 35) {
  t.random.queue = {xVel > 0 ? Rightwards : Leftwards, height / 70};
  CreateJet(t.g);
  JetData& jet = t.g.Jets[t.g.Jets.UpperBound()];
  jet.X = x - jet.XVel;
  return jet;
}

TEST(JetStart, SideSpeedPictureAndHeightComeFromTheDraws) {
  struct Row {
    float directionDraw, heightDraw, xVel, x, y;
    PictureId picture;
  };
  for (const Row& row : {Row{Rightwards, 0.5f, 1.7f, -150, 35, PictureId::Jet},
                         Row{Leftwards, 0, -1.7f, 944, 0, PictureId::JetFacingLeft},
                         // The highest draw keeps the top edge below 70.
                         Row{Leftwards, 0.99999994f, -1.7f, 944, std::nextafter(70.0f, 0.0f),
                             PictureId::JetFacingLeft}}) {
    TestGame t;
    t.random.queue = {row.directionDraw, row.heightDraw};
    CreateJet(t.g);
    const JetData& jet = t.g.Jets[1];
    const Sprite& sprite = t.g.scene.imgJet[1];
    SCOPED_TRACE(::testing::Message() << row.xVel << " " << row.y);
    EXPECT_EQ(t.random.draws, 2);
    EXPECT_TRUE(jet.Active);
    EXPECT_EQ(jet.XVel, row.xVel) << "exactly 1.7 as a 32-bit float";
    EXPECT_EQ(jet.X, row.x);
    EXPECT_EQ(jet.Y, row.y);
    EXPECT_EQ(jet.Health, 9);
    EXPECT_EQ(sprite.Picture, row.picture);
    EXPECT_TRUE(sprite.Visible);
    EXPECT_EQ(sprite.Left, jet.X);
    EXPECT_EQ(sprite.Top, jet.Y);

    DoPlanes(t.g, false);
    EXPECT_TRUE(t.g.Jets[1].Active) << "a new jet is never removed on its first step";
    EXPECT_EQ(t.g.Jets[1].X, row.x + row.xVel);
    EXPECT_EQ(sprite.Left, t.g.Jets[1].X);
  }
}

TEST(JetStart, OneHitWondersWeakensOnlyNewJets) {
  TestGame t;
  t.g.cheats.Set(Cheat::OneHitWonders, true);
  CreateJet(t.g);
  t.g.cheats.Set(Cheat::OneHitWonders, false);
  CreateJet(t.g);
  DoPlanes(t.g, false);
  t.g.cheats.Set(Cheat::OneHitWonders, true);
  DoPlanes(t.g, false);
  EXPECT_EQ(t.g.Jets[1].Health, 1);
  EXPECT_EQ(t.g.Jets[2].Health, 9);
}

TEST(JetStep, LeavesOnlyBeyondTheStartLines) {
  struct Row {
    float x, xVel;
    bool stays;
  };
  for (const Row& row :
       {Row{-150, -1.7f, true}, Row{std::nextafter(-150.0f, -151.0f), -1.7f, false},
        Row{944, 1.7f, true}, Row{std::nextafter(944.0f, 945.0f), 1.7f, false}}) {
    TestGame t;
    AddJet(t, row.x, row.xVel);
    CreateJet(t.g);  // keeps slot 1 in the table after it is freed
    DoPlanes(t.g, false);
    const JetData& jet = t.g.Jets[1];
    SCOPED_TRACE(row.x);
    ASSERT_EQ(jet.X, row.x);
    EXPECT_EQ(jet.Active, row.stays);
    EXPECT_EQ(t.g.scene.imgJet[1].Visible, row.stays);
    EXPECT_EQ(t.g.scene.imgJet[1].Left, row.x) << "moved, even when hidden";
  }
}

// The release offset is how far the jet's middle (X + 40) has passed x 396 along its flight,
// rounded half to even for the window; the bomb's tag keeps it unrounded, to 7 digits.
TEST(JetBombing, ReleasesOnlyStrictlyInsideTheWindowAndTagsTheOffset) {
  struct Row {
    float xVel, x;
    int min, max;
    const char* tag;  // nullptr: no bomb and no bomb draw
  };
  for (const Row& row : {
           Row{1.7f, 336, -21, -19, "-20"},       // flying right, middle 20 px short of the gun
           Row{-1.7f, 376, -21, -19, "-20"},      // flying left, middle at 416
           Row{1.7f, 336, -20, 1000, nullptr},    // on the lower bound
           Row{1.7f, 336, -1000, -20, nullptr},   // on the upper bound
           Row{-1.7f, 376, -20, 0, nullptr},      // on the lower bound, flying left
           Row{1.7f, 335.5f, -21, -19, "-20.5"},  // rounds half to even, to -20
           Row{1.7f, 336.5f, -21, -19, "-19.5"},  // rounds half to even, to -20
           Row{1.7f, 232.5f, -1000, 1000, "-123.5"}, Row{-1.7f, 206, -1000, 1000, "150"},
           Row{1.7f, 100.1f, -1000, 1000, "-255.9"},  // not the float's -255.899994
           Row{-1.7f, 356, -1000, 1000, "0"},         // right over the gun: not "-0"
       }) {
    TestGame t;
    AddJet(t, row.x, row.xVel);
    t.g.BombMinOffset = row.min;
    t.g.BombMaxOffset = row.max;
    t.random.draws = 0;
    t.random.queue = {0};
    DoPlanes(t.g, false);
    SCOPED_TRACE(::testing::Message() << row.xVel << " " << row.x << " " << row.min);
    ASSERT_EQ(t.g.Jets[1].X, row.x);
    if (row.tag == nullptr) {
      EXPECT_EQ(t.random.draws, 1) << "only the spawn draw";
      EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
    } else {
      EXPECT_EQ(t.random.draws, 2);
      ASSERT_EQ(t.g.Bullets.UpperBound(), 1);
      EXPECT_EQ(t.g.scene.imgBullet[1].Tag, row.tag);
    }
  }
}

TEST(JetBombing, BombFallsFromTheMiddleOfTheUndersideAtTheJetsSpeed) {
  TestGame t;
  AddJet(t, 206, -1.7f);
  t.random.queue = {0};
  DoPlanes(t.g, false);
  ASSERT_EQ(t.g.Bullets.UpperBound(), 1);
  const BulletData& bomb = t.g.Bullets[1];
  EXPECT_TRUE(bomb.Active);
  EXPECT_EQ(bomb.Kind, Bomb);
  EXPECT_EQ(bomb.X, 246);
  EXPECT_EQ(bomb.Y, 66);
  EXPECT_EQ(bomb.XVel, -1.7f);
  EXPECT_EQ(bomb.YVel, 0);
  EXPECT_EQ(bomb.Life, 6);
  EXPECT_EQ(t.g.scene.imgBullet[1].Left, 246 - 7.5f);
}

// A full projectile table is the only way a bomb is refused. It is filled directly: filling it
// through CreateBullet would scan the table once per slot.
TEST(JetBombing, RefusedBombWritesNoTagAndTheJetFliesOn) {
  TestGame t;
  while (t.g.Bullets.UpperBound() < MaxSlots) {
    t.g.Bullets.Grow();
    t.g.scene.imgBullet.LoadNext();
    t.g.Bullets[t.g.Bullets.UpperBound()].Active = true;
  }
  t.g.scene.imgBullet[0].Tag = "template";
  t.g.scene.imgBullet[MaxSlots].Tag = "top";
  AddJet(t, 336, 1.7f);
  t.random.draws = 0;
  t.random.queue = {0};
  DoPlanes(t.g, false);
  EXPECT_EQ(t.random.draws, 2) << "the bomb draw was taken";
  EXPECT_EQ(t.g.Bullets.UpperBound(), MaxSlots);
  EXPECT_EQ(t.g.scene.imgBullet[0].Tag, "template");
  EXPECT_EQ(t.g.scene.imgBullet[MaxSlots].Tag, "top");
  EXPECT_TRUE(t.g.Jets[1].Active);
  EXPECT_EQ(t.g.scene.imgJet[1].Left, 336);
}

// A bomb falls about 290 frames from a jet's underside, carried about 480 px along the flight.
TEST(JetBombing, LandingBombsNarrowTheWindow) {
  struct Row {
    float xVel, x, height;
    int min, max;
  };
  for (const Row& row : {
           Row{-1.7f, 376, 35, -1000, -20},     // released at -20: lands far beyond the gun
           Row{1.7f, -148.3f, 69, -504, 1000},  // a low jet's first step: lands short of it
       }) {
    TestGame t;
    AddJet(t, row.x, row.xVel, row.height);
    t.random.queue = {0};
    DoPlanes(t.g, false);
    ASSERT_EQ(t.g.Bullets.UpperBound(), 1);
    for (int frame = 0; t.g.Bullets[1].Active && t.g.Bullets[1].Kind == Bomb; ++frame) {
      ASSERT_LT(frame, 400);
      DoBullets(t.g);
    }
    SCOPED_TRACE(row.x);
    EXPECT_FALSE(t.g.Dead) << "not a bomb on the gun";
    EXPECT_EQ(t.g.BombMinOffset, row.min);
    EXPECT_EQ(t.g.BombMaxOffset, row.max);
  }
}

TEST(JetStep, SpawnDrawIsTakenEvenWhenNoJetMayStart) {
  TestGame t;
  t.random.queue = {0};
  DoPlanes(t.g, false);
  EXPECT_EQ(t.random.draws, 1);
  EXPECT_EQ(t.g.Jets.UpperBound(), 0);
  t.random.queue = {0, Leftwards, 0.5f};
  DoPlanes(t.g, true);
  EXPECT_EQ(t.random.draws, 4);
  ASSERT_EQ(t.g.Jets.UpperBound(), 1);
  EXPECT_EQ(t.g.Jets[1].X, 944);
}

// Bombs are 1 in 400 - 39 x Level, starts 1 in 250 - 24 x Level: draws just under and at 1 / N.
TEST(JetStep, OddsShortenWithTheLevel) {
  struct Row {
    int level;
    float bombDraw, spawnDraw;
    bool hits;
  };
  for (const Row& row : {Row{0, 0.0024f, 0.0039f, true}, Row{0, 0.0026f, 0.004f, false},
                         Row{5, 0.0048f, 0.0076f, true}, Row{5, 0.0049f, 0.0077f, false},
                         Row{10, 0.099f, 0.099f, true}, Row{10, 0.1f, 0.1f, false}}) {
    TestGame t;
    t.g.Level = row.level;
    AddJet(t, 0, 1.7f);
    t.random.queue = {row.bombDraw, row.spawnDraw, Rightwards, 0.5f};
    DoPlanes(t.g, true);
    SCOPED_TRACE(row.bombDraw);
    EXPECT_EQ(t.g.Bullets.UpperBound(), row.hits ? 1 : 0);
    EXPECT_EQ(t.g.Jets.UpperBound(), row.hits ? 2 : 1);
  }
}

TEST(JetStep, FreeTopSlotsDrainOnePerStepDownToTheTemplate) {
  TestGame t;
  for (int i = 0; i < 3; ++i) CreateJet(t.g);
  for (int i = 1; i <= 3; ++i) t.g.Jets[i].Active = false;
  for (int expected : {2, 1, 0, 0}) {
    DoPlanes(t.g, false);
    EXPECT_EQ(t.g.Jets.UpperBound(), expected);
    EXPECT_EQ(t.g.scene.imgJet.UpperBound(), expected);
  }
}

}  // namespace
}  // namespace flakmire::testing
