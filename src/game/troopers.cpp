#include "game/troopers.h"

#include <cmath>

#include "game/assault.h"
#include "game/blood.h"
#include "game/game.h"
#include "game/numbers.h"

namespace flakmire {

namespace {

constexpr float Gravity = 0.03f;
constexpr float CanopySink = 0.8f;  // px a frame under an open parachute
constexpr double ChuteOpensAbove = 2.2;
constexpr float ChuteSlowsSideways = 5;  // the opening cuts the sideways speed to a fifth
constexpr float SafeLanding = 2.2f;
constexpr int FallPoints = 15;
constexpr float CrushReach = 9;
constexpr float Bounce = 0.9f;  // "Jumping Castle" walls and ground

// The canopy's 33 px box sits centred above the soldier.
constexpr float CanopyOffsetX = -8, CanopyOffsetY = -17;

// The coil on the bunker's roof, and the coils at the ground's two edges.
constexpr float RoofWireTop = 408, RoofWireBottom = 416, RoofWireLeft = 344, RoofWireRight = 424;
constexpr float EdgeWireTop = 456, EdgeWireLeft = 56, EdgeWireRight = 712;

const float QuarterPi = static_cast<float>(Pi / 4);
const float HalfPi = static_cast<float>(Pi / 2);

void Kill(Game& g, int i) {
  g.Troopers[i].Active = false;
  g.scene.imgTrooper[i].Visible = false;
  g.scene.imgPara[i].Visible = false;
  g.ports.sounds.Play(SoundEvent::TrooperDeath);
}

// Blood from the soldier's feet.
void Splash(Game& g, int i) {
  const TrooperData& t = g.Troopers[i];
  Spurt(g, t.X + 8, t.Y + 25, 0, QuarterPi);
}

void RoofWire(Game& g, int i) {
  const TrooperData& t = g.Troopers[i];
  if (RoofWireTop <= t.Y && t.Y < RoofWireBottom && RoofWireLeft < t.X && t.X < RoofWireRight) {
    Splash(g, i);
    Kill(g, i);
    // Only a trooper who had already lost his canopy is worth points here.
    if (g.Troopers[i].ChuteState == ChuteGone) g.Points += FallPoints;
  }
}

void EdgeWire(Game& g, int i) {
  const TrooperData& t = g.Troopers[i];
  if (t.Y >= EdgeWireTop && (t.X < EdgeWireLeft || t.X > EdgeWireRight)) {
    Splash(g, i);
    Kill(g, i);
  }
}

void Accelerate(Game& g, TrooperData& t) {
  if (t.ChuteState == ChuteOpen) {
    t.YVel = CanopySink;
    t.XVel += g.WindDrift;
  } else if (t.PyramidPos == 0) {
    t.YVel += Gravity;
    if (std::fabs(t.Y - StandingY) >= 1) t.XVel += g.WindDrift;
  } else {
    t.YVel = 0;
    t.XVel = 0;
  }
}

void JumpingCastleWalls(Game& g, TrooperData& t) {
  if (!g.cheats[Cheat::JumpingCastle]) return;
  if (t.X < 0) t.XVel = std::fabs(t.XVel) * Bounce;
  if (static_cast<float>(t.X + 8) > PlayfieldWidth) t.XVel = -std::fabs(t.XVel) * Bounce;
}

void OpenParachute(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  // A trooper who died earlier in this frame keeps his canopy packed: shown on a free slot, it
  // would hang over the next trooper to take the slot.
  if (!t.Active) return;
  const double speed = std::sqrt(std::pow(t.XVel / 4.0, 2) + std::pow(double{t.YVel}, 2));
  if (speed > ChuteOpensAbove && t.ChuteState == ChuteClosed && !g.cheats[Cheat::NoParachutes]) {
    t.ChuteState = ChuteOpen;
    t.XVel /= ChuteSlowsSideways;
    g.scene.imgPara[i].Visible = true;
  }
}

// A fatal fall also kills the troopers standing right beside the spot.
void CrushBeside(Game& g, int i) {
  for (int j = 1; j <= g.Troopers.UpperBound(); ++j) {
    const TrooperData& other = g.Troopers[j];
    if (j == i || !other.Active || other.Y != StandingY) continue;
    if (std::fabs(static_cast<float>(other.X - g.Troopers[i].X)) < CrushReach) {
      Kill(g, j);
      Spurt(g, other.X + 8, other.Y + 12, 0, HalfPi);
    }
  }
}

void TouchDown(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  if (!(t.Y > StandingY && t.PyramidPos == 0)) return;
  if (t.YVel > SafeLanding) {
    if (g.cheats[Cheat::JumpingCastle]) {
      t.YVel = -t.YVel * Bounce;
      return;
    }
    Splash(g, i);
    Kill(g, i);  // his canopy too: it may have opened in this very frame
    g.Points += FallPoints;
    CrushBeside(g, i);
  } else {
    t.Y = StandingY;
    t.YVel = 0;
    t.XVel = 0;
    t.ChuteState = ChuteGone;  // packed away
    g.scene.imgPara[i].Visible = false;
  }
}

}  // namespace

void CreateTrooper(Game& g, float X, float Y, float XVel) {
  const int i = TakeSlot(g.Troopers, g.scene.imgTrooper, g.scene.imgPara);
  if (i == -1) return;
  g.Troopers[i] = TrooperData{true, X, Y, XVel, 0, ChuteClosed, 0};
  Sprite& soldier = g.scene.imgTrooper[i];
  soldier.Move(X, Y);
  soldier.Visible = true;
  soldier.Picture = g.scene.imgTrooper[0].Picture;  // a reused slot may still have raised arms
}

// A step that kills a trooper doesn't end his turn: the later steps still run on him in the same
// frame, and none of them brings him back.
void DoTroopers(Game& g) {
  Counts counts;
  const int upper = g.Troopers.UpperBound();
  for (int i = 1; i <= upper; ++i) {
    if (!g.Troopers[i].Active) continue;
    RoofWire(g, i);
    EdgeWire(g, i);
    CountForAssault(g, i, counts);
    Accelerate(g, g.Troopers[i]);
    Hop(g, i);
    JumpingCastleWalls(g, g.Troopers[i]);
    OpenParachute(g, i);
    TrooperData& t = g.Troopers[i];
    t.Y += t.YVel;
    t.X += t.XVel;
    TouchDown(g, i);
    BunkerWire(g, i);
    StandOrFlee(g, i);
    g.scene.imgTrooper[i].Move(t.X, t.Y);
    g.scene.imgPara[i].Move(t.X + CanopyOffsetX, t.Y + CanopyOffsetY);
  }
  Assaults(g, counts);
  TrimTopSlot(g.Troopers, g.scene.imgTrooper, g.scene.imgPara);
}

}  // namespace flakmire
