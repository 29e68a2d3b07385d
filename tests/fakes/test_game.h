#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
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

// What every frame must leave, or "": the tables in step with their sprites, what shows with the
// records.
inline std::string OutOfStep(const Game& g) {
  return std::string(TableOutOfStep(g)) + SceneOutOfStep(g);
}

// A game on scripted ports, reset and ready for its first frame. The cheat word opens the real
// panel, which the player closes untouched. Its frames, and the test's end, check OutOfStep. A
// game that is not hearing has the silent sounds of a game made without.
struct TestGame : FakePorts {
  Game g;
  bool hearing;
  NullCheatBoxes boxes;

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
  // A trooper as given, his canopy if open.
  int Put(TrooperData t) {
    CreateTrooper(g, t.X, t.Y, t.XVel);
    const int i = g.Troopers.UpperBound();
    g.Troopers[i] = t, g.scene.imgPara[i].Move(t.X - 8, t.Y - 17);
    g.scene.imgPara[i].Visible = t.ChuteState == ChuteOpen;
    return i;
  }
  bool barrelShown = true;  // in the frame last presented
  void Present() override { FakePorts::Present(), barrelShown = g.scene.lnGun[1].Visible; }
  void ShowCheatPanel() override {
    FakePorts::ShowCheatPanel();
    CheatPanel panel(g.cheats, boxes);
    panel.Form_Load(), panel.Form_Activate();
  }
};

// Short readable pictures of the game's things, to compare with what a rule says they must be.
// "left,top wxh fill/border", " hidden" if so
inline std::string Describe(const Shape& s) {
  const Rgb f = s.FillColor, b = s.BorderColor;
  return Text("%g,%g %gx%g %d,%d,%d/%d,%d,%d%s", s.Left, s.Top, s.Width, s.Height, f.r, f.g, f.b,
              b.r, b.g, b.b, s.Visible ? "" : " hidden");
}

// "left,top wxh picture", " hidden" if so
inline std::string Describe(const Sprite& s) {
  return Text("%g,%g %gx%g %d%s", s.Left, s.Top, s.Width, s.Height, static_cast<int>(s.Picture),
              s.Visible ? "" : " hidden");
}

// "k0 1,2 v3,4 L5 9x9 @left,top fill/border"
inline std::string Bullet(const Game& g, int i) {
  const BulletData& b = g.Bullets[i];
  const Shape& s = g.scene.imgBullet[i];
  const Rgb f = s.FillColor, r = s.BorderColor;
  return Text("k%d %g,%g v%g,%g L%d %gx%g%s%s @%g,%g %d,%d,%d/%d,%d,%d", b.Kind, b.X, b.Y, b.XVel,
              b.YVel, b.Life, s.Width, s.Height, b.Active ? "" : " free",
              s.Visible ? "" : " hidden", s.Left, s.Top, f.r, f.g, f.b, r.r, r.g, r.b);
}

// "1,2 v3,4 c1 p0 +-": alive, soldier and canopy shown
inline std::string Soldier(const Game& g, int i) {
  const TrooperData& t = g.Troopers[i];
  return Text("%g,%g v%g,%g c%d p%d %c%c%c", t.X, t.Y, t.XVel, t.YVel, t.ChuteState, t.PyramidPos,
              t.Active ? '+' : '-', g.scene.imgTrooper[i].Visible ? '+' : '-',
              g.scene.imgPara[i].Visible ? '+' : '-');
}

// the projectiles in use: " kind@x,y/life" each
inline std::string InUse(const Game& g) {
  std::string s;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i)
    if (const BulletData& b = g.Bullets[i]; b.Active)
      s += Text(" %d@%g,%g/%d", b.Kind, b.X, b.Y, b.Life);
  return s;
}

// "points 10 score 0 level 0 clock 0 wind 0/0 ..."
inline std::string Numbers(const Game& g) {
  std::string cheats;
  for (int i = 0; i < CheatCount; ++i) cheats += g.cheats[static_cast<Cheat>(i)] ? '1' : '0';
  const Scene& s = g.scene;
  return Text("points %d score %d level %d clock %g wind %g/%g fire %d bombs %d..%d dead %d",
              g.Points, g.Score, g.Level, g.LevelClock, g.Wind, g.WindDrift, g.FireKey,
              g.BombMinOffset, g.BombMaxOffset, g.Dead) +
         Text(" gun %g/%g %d%d poles %s,%s cheats %s", g.GunAngle, g.GunLength, s.lnGun[0].Visible,
              s.lnGun[1].Visible, s.lnFlagPole[1].Tag.c_str(), s.lnFlagPole[2].Tag.c_str(),
              cheats.c_str());
}

}  // namespace flakmire::testing
