// The gun and the keys: turning, reloading and firing, Rapid Fire, the cheat word and the key that
// ends the endless level.

#include "game/gun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "fakes/test_game.h"
#include "game/key_codes.h"
#include "game/layout.h"
#include "game/projectiles.h"

namespace flakmire::testing {
namespace {

// The kinds of the objects in use, in slot order.
std::vector<int> ShellKinds(const Game& g) {
  std::vector<int> kinds;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    if (g.Bullets[i].Active) kinds.push_back(g.Bullets[i].Kind);
  }
  return kinds;
}

// The frames, counted from 1, in which the gun fired, with `press` pressed before each frame.
std::vector<int> FiringFrames(Game& g, int frames, int press = 0) {
  std::vector<int> fired;
  for (int frame = 1; frame <= frames; ++frame) {
    const int points = g.Points;
    if (press != 0) g.FireKey = press;
    DoGun(g);
    if (g.Points != points) fired.push_back(frame);
  }
  return fired;
}

TEST(Turning, StopsAtOneHundredAndTwentyEitherSide) {
  for (int side : {1, -1}) {
    TestGame t;
    t.g.GunAngle = 118.0f * side;
    t.keys.down = {side > 0 ? key_code::Right : key_code::Left};
    std::vector<float> angles;
    for (int frame = 0; frame < 5; ++frame) {
      DoGun(t.g);
      angles.push_back(t.g.GunAngle * side);
    }
    EXPECT_EQ(angles, (std::vector<float>{119, 120, 120, 120, 120})) << side;
    t.keys.down = {key_code::Left, key_code::Right};
    DoGun(t.g);
    EXPECT_EQ(t.g.GunAngle * side, 120) << "both arrows cancel out";
  }
}

TEST(Turning, DeadGunIsFrozen) {
  TestGame t;
  t.g.Dead = true;
  t.g.GunLength = 6;
  t.g.FireKey = key_code::B;
  t.keys.down = {key_code::Right};
  DoGun(t.g);
  EXPECT_EQ(t.g.GunAngle, 0);
  EXPECT_EQ(t.g.Bullets.UpperBound(), 0);
  EXPECT_EQ(t.g.FireKey, key_code::B) << "not even the pending key is touched";
}

TEST(Reload, KeysPressedWhileTheBarrelReturnsAreLost) {
  TestGame t;
  t.g.GunAngle = 90;  // one radian to the right
  t.g.GunLength = 6;
  // The barrel is drawn before the shot: at full length in the frames that fire.
  const std::vector<float> drawn = {6, 5.4f, 5.8f, 6}, after = {5, 5.4f, 5.8f, 5};
  for (std::size_t frame = 0; frame < drawn.size(); ++frame) {
    t.g.FireKey = key_code::B;
    DoGun(t.g);
    EXPECT_FLOAT_EQ(t.g.GunLength, after[frame]) << frame;
    EXPECT_EQ(t.g.FireKey, 0) << "consumed every frame";
    for (const Line& barrel : t.g.scene.lnGun) {
      EXPECT_FLOAT_EQ(barrel.X2, PivotX + 6 * drawn[frame] * std::sin(1.0f)) << frame;
      EXPECT_FLOAT_EQ(barrel.Y2, PivotY - 6 * drawn[frame] * std::cos(1.0f)) << frame;
    }
  }
  EXPECT_EQ(ShellKinds(t.g), (std::vector<int>{StandardShell, StandardShell}));
  EXPECT_EQ(t.g.Points, 8);
  // Shells leave from the muzzle along the barrel.
  EXPECT_FLOAT_EQ(t.g.Bullets[1].X, PivotX + 36 * std::sin(1.0f));
  EXPECT_FLOAT_EQ(t.g.Bullets[1].Y, PivotY - 36 * std::cos(1.0f));
  EXPECT_FLOAT_EQ(t.g.Bullets[1].XVel, 5 * std::sin(1.0f));
}

TEST(Reload, EachFireKeyHasItsOwnShellCostAndRecoil) {
  // nextShot: the frames to the next shot, with the key pressed before every frame.
  struct Row {
    int key, kind, cost, nextShot;
    float recoil;
  };
  for (const Row& row :
       {Row{key_code::B, StandardShell, 1, 3, 5}, Row{key_code::V, SmallFastShell, 2, 5, 4},
        Row{key_code::C, HeavyShell, 40, 10, 2}, Row{key_code::X, BigShell, 100, 8, 3}}) {
    SCOPED_TRACE(row.key);
    TestGame t;
    t.g.Points = 300;
    t.g.GunLength = 6;
    EXPECT_EQ(FiringFrames(t.g, 1, row.key), std::vector<int>{1});
    EXPECT_EQ(ShellKinds(t.g), std::vector<int>{row.kind});
    EXPECT_EQ(t.g.Points, 300 - row.cost);
    EXPECT_EQ(t.g.GunLength, row.recoil);
    EXPECT_EQ(FiringFrames(t.g, row.nextShot, row.key), std::vector<int>{row.nextShot});
  }
}

TEST(Reload, FirstShotOfTheProgramComesAfterFifteenFrames) {
  TestGame t;
  EXPECT_EQ(FiringFrames(t.g, 20, key_code::B), (std::vector<int>{15, 18}));
}

TEST(Reload, ShotThePointsCannotPayForLeavesTheBarrelOut) {
  TestGame t;
  t.g.Points = 0;
  t.g.GunLength = 6;
  EXPECT_TRUE(FiringFrames(t.g, 1, key_code::B).empty());
  EXPECT_EQ(t.g.GunLength, 6);
  EXPECT_EQ(t.g.FireKey, 0);
  t.g.Points = 1;
  EXPECT_EQ(FiringFrames(t.g, 1, key_code::B), std::vector<int>{1}) << "in the very next frame";
}

TEST(RapidFire, HeldKeysArePolledAndBWinsOverTheOthers) {
  struct Row {
    std::set<int> held;
    int kind;
  };
  for (const Row& row : {Row{{key_code::X}, BigShell}, Row{{key_code::X, key_code::C}, HeavyShell},
                         Row{{key_code::X, key_code::C, key_code::V}, SmallFastShell},
                         Row{{key_code::X, key_code::C, key_code::V, key_code::B}, StandardShell},
                         Row{{key_code::V, key_code::B}, StandardShell}}) {
    TestGame t;
    t.g.cheats.Set(Cheat::RapidFire, true);
    t.g.Points = 100;
    t.g.GunLength = 6;
    t.keys.down = row.held;
    DoGun(t.g);
    EXPECT_EQ(ShellKinds(t.g), std::vector<int>{row.kind}) << row.held.size();
  }
}

TEST(RapidFire, HoldingBFiresEveryThirdFrameWhilePointsLast) {
  TestGame t;
  t.g.Points = 3;
  t.g.GunLength = 6;
  t.keys.down = {key_code::B};
  EXPECT_TRUE(FiringFrames(t.g, 1).empty()) << "a held key is no press without Rapid Fire";
  t.g.cheats.Set(Cheat::RapidFire, true);
  EXPECT_EQ(FiringFrames(t.g, 20), (std::vector<int>{1, 4, 7}));
  EXPECT_EQ(t.g.GunLength, 6) << "out of points, the barrel stays out";
}

TEST(Keys, OnlyTheLastKeyBeforeAFrameCounts) {
  TestGame t;
  t.g.GunLength = 6;
  Form_KeyDown(t.g, key_code::B);
  Form_KeyDown(t.g, key_code::Right);
  EXPECT_EQ(t.g.FireKey, key_code::Right);
  DoGun(t.g);
  EXPECT_TRUE(ShellKinds(t.g).empty());
  EXPECT_EQ(t.g.FireKey, 0);
}

void Type(Game& g, const std::string& text) {
  for (char c : text) Form_KeyDown(g, static_cast<unsigned char>(c));
}

TEST(CheatWord, OpensThePanelInAnyCaseAfterOtherKeysButOnlyUnbroken) {
  TestGame t;
  Type(t.g, "QZ");
  EXPECT_EQ(t.g.KeyBuffer, std::string(10, ' ') + "QZ") << "the last twelve keys";
  Type(t.g, "ShowMeTRICKS");
  EXPECT_EQ(t.dialogs.cheatPanels, 1);
  EXPECT_EQ(t.g.KeyBuffer, "");
  Type(t.g, "SHOWME");
  Form_KeyDown(t.g, key_code::Left);
  Type(t.g, "TRICKS");
  EXPECT_EQ(t.dialogs.cheatPanels, 1);
  EXPECT_EQ(t.g.KeyBuffer, "HOWME%TRICKS");  // 37, the left arrow, is %
}

TEST(ClockedKey, EndsOnlyTheLastLevelAndNotUnderInvincibility) {
  struct Row {
    int level;
    bool invincible, dies;
  };
  for (const Row& row :
       {Row{10, false, true}, Row{9, false, false}, Row{0, false, false}, Row{10, true, false}}) {
    TestGame t;
    t.g.Level = row.level;
    t.g.cheats.Set(Cheat::Invincibility, row.invincible);
    Form_KeyDown(t.g, key_code::Tilde);
    EXPECT_EQ(t.g.Dead, row.dies) << row.level << " " << row.invincible;
    EXPECT_EQ(t.g.scene.lnGun[0].Visible, !row.dies);
    // The cause is written first, even when the gunner can't die.
    EXPECT_EQ(t.g.DeathMethod, row.level == 10 ? "4" : "");
  }
}

}  // namespace
}  // namespace flakmire::testing
