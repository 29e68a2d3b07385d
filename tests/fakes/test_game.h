#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "cheats/cheat_panel.h"
#include "fakes/fake_ports.h"
#include "game/blood.h"
#include "game/copters.h"
#include "game/death.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/jets.h"
#include "game/key_codes.h"
#include "game/numbers.h"
#include "game/projectiles.h"
#include "game/startup.h"
#include "game/troopers.h"

// What the game's suites share: a game on scripted ports, and short readable pictures of it.
namespace flakmire::testing {

using ::testing::EndsWith, ::testing::HasSubstr, ::testing::StartsWith;

// What every frame must leave, whatever happened in it, or "": each table has exactly its sprites;
// a free slot's sprites are hidden and a live one's show where its record is (a trooper's canopy
// over his head, while it is open); the barrel, both lines, is gone
// exactly while the gunner is dead.
std::string OutOfStep(const Game& g);

// A game on scripted ports, reset and ready for its first frame. The cheat word opens the real
// panel, which the player closes untouched. Its frames, and the test's end, check OutOfStep. A
// game that is not hearing has the silent sounds of a game made without.
struct TestGame : FakePorts {
  Game g;
  bool hearing;
  struct : CheatBoxes {
    void SetCaption(int, std::string_view) override {}
    void SetChecked(int, bool) override {}
  } boxes;

  explicit TestGame(bool reset = true, bool hearing = true) : g{ports(hearing)}, hearing(hearing) {
    if (reset) ResetGame(g);
  }
  ~TestGame() { EXPECT_EQ(OutOfStep(g), ""); }
  bool Frame();  // one frame of the loop; true when the tick would end after it
  // A projectile, whatever the points.
  int Make(int kind, float x, float y, float angle = 0) {
    const int points = std::exchange(g.Points, 1000), i = CreateBullet(g, x, y, kind, angle);
    return g.Points = points, i;
  }
  int Put(TrooperData t);   // a trooper, his canopy if open
  bool barrelShown = true;  // in the frame last presented
  void Present() override { FakePorts::Present(), barrelShown = g.scene.lnGun[1].Visible; }
  void ShowCheatPanel() override {
    FakePorts::ShowCheatPanel();
    CheatPanel panel(g.cheats, boxes);
    panel.Form_Load(), panel.Form_Activate();
  }
};

// printf into a std::string.
std::string Text(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

// Short readable pictures of the game's things, to compare with what a rule says they must be.
std::string Describe(const Shape& s);       // "left,top wxh fill/border", " hidden" if so
std::string Describe(const Sprite& s);      // "left,top wxh picture", " hidden" if so
std::string Bullet(const Game& g, int i);   // "k0 1,2 v3,4 L5 9x9 @left,top fill/border"
std::string Soldier(const Game& g, int i);  // "1,2 v3,4 c1 p0 +-": alive, soldier and canopy shown
std::string Numbers(const Game& g);         // "points 10 score 0 level 0 clock 0 wind 0/0 ..."
std::string InUse(const Game& g);           // the projectiles in use: " kind@x,y/life" each

}  // namespace flakmire::testing
