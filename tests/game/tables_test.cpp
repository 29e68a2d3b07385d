// The slot rules that all four entity tables share: the lowest free slot is reused, a full table
// grows by one slot with its sprite copies, the steps trim one free top slot at a time, and a
// reset cuts every table back to its template.

#include <gtest/gtest.h>

#include "fakes/test_game.h"
#include "game/copters.h"
#include "game/projectiles.h"
#include "game/troopers.h"

namespace flakmire::testing {
namespace {

TEST(Tables, FirstObjectAfterResetGetsSlotOne) {
  TestGame t;
  EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
  EXPECT_EQ(CreateBullet(t.g, 100, 100, FireExplosion, 0), 1);
  EXPECT_EQ(t.g.Bullets.UpperBound(), 1);
  EXPECT_EQ(t.g.scene.imgBullet.UpperBound(), 1);
}

TEST(Tables, LowestFreeSlotIsReusedBeforeTheTableGrows) {
  TestGame t;
  for (int i = 1; i <= 5; ++i) CreateTrooper(t.g, 100.0f * i, 50, 0);
  t.g.Troopers[3].Active = false;
  t.g.Troopers[2].Active = false;
  CreateTrooper(t.g, 10, 20, 1);
  EXPECT_TRUE(t.g.Troopers[2].Active);
  EXPECT_FALSE(t.g.Troopers[3].Active);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 5);
  EXPECT_EQ(t.g.Troopers[2].X, 10);

  CreateTrooper(t.g, 0, 0, 0);
  CreateTrooper(t.g, 0, 0, 0);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 6);
  // Both of a trooper's sprite arrays grow with his table.
  EXPECT_EQ(t.g.scene.imgTrooper.UpperBound(), 6);
  EXPECT_EQ(t.g.scene.imgPara.UpperBound(), 6);
}

TEST(Tables, NewSpriteCopiesTakeTheTemplatesLook) {
  TestGame t;
  CreateBullet(t.g, 50, 60, FireExplosion, 0);
  const Shape& copy = t.g.scene.imgBullet[1];
  EXPECT_EQ(copy.Kind, ShapeKind::Circle);
  CreateTrooper(t.g, 10, 20, 0);
  EXPECT_EQ(t.g.scene.imgPara[1].Width, 33);
  EXPECT_FALSE(t.g.scene.imgPara[1].Visible);  // the canopy waits for the opening
  EXPECT_EQ(t.g.scene.imgTrooper[1].Picture, PictureId::Trooper);
}

TEST(Tables, StepTrimsOneFreeTopSlotPerFrame) {
  TestGame t;
  for (int i = 0; i < 5; ++i) CreateCopter(t.g);
  t.g.Copters[4].Active = false;
  t.g.Copters[5].Active = false;

  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters.UpperBound(), 4);
  EXPECT_EQ(t.g.scene.imgCopter.UpperBound(), 4);
  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters.UpperBound(), 3);
  EXPECT_EQ(t.g.scene.imgCopter.UpperBound(), 3);
  DoCopters(t.g, false);
  EXPECT_EQ(t.g.Copters.UpperBound(), 3) << "slot 3 is in use";
}

TEST(Tables, TrimStopsAtTheTemplate) {
  TestGame t;
  CreateTrooper(t.g, 100, 100, 0);
  t.g.Troopers[1].Active = false;
  DoTroopers(t.g);
  DoTroopers(t.g);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 0);
  EXPECT_EQ(t.g.scene.imgTrooper.UpperBound(), 0);
  EXPECT_EQ(t.g.scene.imgPara.UpperBound(), 0);
}

TEST(Tables, ResetCutsEveryTableAndSpriteArrayBackToItsTemplate) {
  TestGame t;
  for (int i = 0; i < 12; ++i) CreateTrooper(t.g, 10.0f * i, 100, 0);
  for (int i = 0; i < 3; ++i) CreateCopter(t.g);
  for (int i = 0; i < 7; ++i) CreateBullet(t.g, 10, 10, FireExplosion, 0);
  ResetGame(t.g);
  EXPECT_EQ(t.g.Troopers.UpperBound(), 0);
  EXPECT_EQ(t.g.Copters.UpperBound(), 0);
  EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
  EXPECT_EQ(t.g.Jets.UpperBound(), 0);
  const Scene& s = t.g.scene;
  EXPECT_EQ(s.imgTrooper.UpperBound() + s.imgPara.UpperBound() + s.imgCopter.UpperBound() +
                s.imgBullet.UpperBound() + s.imgJet.UpperBound(),
            0);
  EXPECT_EQ(s.imgTrooper[0].Picture, PictureId::Trooper) << "the templates stay";
  EXPECT_EQ(CreateBullet(t.g, 1, 1, FireExplosion, 0), 1);
}

TEST(Tables, FullTableRefusesInsteadOfGrowingPastTheSpriteIndexLimit) {
  TestGame t;
  t.g.FastFrame = true;
  for (int i = 0; i < MaxSlots; ++i) ASSERT_NE(CreateBullet(t.g, 1, 1, FireExplosion, 0), -1);
  EXPECT_EQ(CreateBullet(t.g, 1, 1, FireExplosion, 0), -1);
  EXPECT_EQ(t.g.Bullets.UpperBound(), MaxSlots);
}

}  // namespace
}  // namespace flakmire::testing
