#include "game/troopers.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "game/blood.h"
#include "game/death.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"

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

// Landed troopers left of 384 storm the gun from the left, those right of 392 from the right;
// those between count for neither side.
constexpr float LeftOfGun = 384, RightOfGun = 392;
constexpr int AssaultStrength = 4;   // landed troopers on a side before they start to build
constexpr double AssaultStep = 0.2;  // px a frame, walking to the pyramid

// A pyramid's slots, 1 to 4: the inner foot, on its shoulders, the outer foot, the top beside
// the gun.
struct Place {
  float x, y;
};
constexpr std::array<Place, 4> LeftPyramid = {{{346, 463}, {346, 440}, {331, 463}, {361, 417}}};
constexpr std::array<Place, 4> RightPyramid = {{{427, 463}, {427, 440}, {440, 463}, {408, 417}}};

// The wire in front of the bunker: it kills a trooper who runs into it and throws back one who
// only drifts there, away from its middle.
constexpr float BunkerWireTop = 432, BunkerWireLeft = 356, BunkerWireRight = 426;
constexpr float BunkerWireMiddle = 392;
constexpr float SlowEnough = 0.4f;
constexpr float ThrownBack = 1.2f;

// After the gunner's death everyone moves away from x 402, the faster the closer.
constexpr float FleeFrom = 402, FleeStrength = 12;
constexpr int HopOdds = 50;  // a standing trooper cheers: a hop now and then, arms up
constexpr float HopSpeed = 0.7f;

const float QuarterPi = static_cast<float>(Pi / 4);
const float HalfPi = static_cast<float>(Pi / 2);

// On the ground, or in a pyramid: the troopers who count for an assault.
bool Landed(const TrooperData& t) { return t.Y == StandingY || t.PyramidPos != 0; }

struct Counts {
  int LeftCount = 0, RightCount = 0;
};

void Kill(Game& g, int i) {
  g.Troopers[i].Active = false;
  g.scene.imgTrooper[i].Visible = false;
  g.scene.imgPara[i].Visible = false;
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

// A standing trooper draws every frame; once the gunner is dead, that draw lets him hop.
void Hop(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  if (t.ChuteState == ChuteOpen || t.PyramidPos != 0 || std::fabs(t.Y - StandingY) >= 1) return;
  Random& random = g.ports.random;
  const bool hop = ChanceOneIn(random, HopOdds);
  if (g.Dead && hop) {
    t.YVel = random.Rnd() * -HopSpeed;
    g.scene.imgTrooper[i].Picture = g.scene.imgTrooper2.Picture;
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

void BunkerWire(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  if (!(t.Y > BunkerWireTop && BunkerWireLeft < t.X && t.X < BunkerWireRight)) return;
  const bool left = t.X < BunkerWireMiddle;
  if (g.cheats[Cheat::JumpingCastle] || std::fabs(t.XVel) < SlowEnough) {
    t.XVel = left ? -std::fabs(t.XVel) * ThrownBack : std::fabs(t.XVel) * ThrownBack;
  } else {
    Kill(g, i);
    Spurt(g, t.X + 8, t.Y + 12, left ? HalfPi : -HalfPi, static_cast<float>(Pi));
  }
}

// At exactly x 402 the push has no way to go: he stays where he is in that frame.
void Flee(TrooperData& t) {
  t.PyramidPos = 0;
  if (t.X != FleeFrom) t.X += FleeStrength / (t.X - FleeFrom);
}

// A member stands where his slot is, whatever his speed.
void TakePlace(TrooperData& t) {
  const int slot = std::abs(t.PyramidPos);
  if (slot < 1 || slot > 4) return;
  const Place& place = (t.PyramidPos < 0 ? LeftPyramid : RightPyramid)[slot - 1];
  t.X = place.x;
  t.Y = place.y;
}

void ReachTheGun(Game& g, const TrooperData& t) {
  if (std::abs(t.PyramidPos) != 4) return;
  g.DeathMethod = '1';
  CreateBullet(g, GunBlastX, GunBlastY, FireExplosion, 0);
  BeKilled(g);
}

// One side of the gun, for its assault.
struct Side {
  int sign;                       // of PyramidPos: -1 left, +1 right
  double step;                    // the walk toward the gun
  float searchFrom;               // farther from the gun than anyone stands
  float thirdAt, topAt, otherAt;  // where the walker joins as slot 3, as slot 4, as any other
  bool Holds(float x) const { return sign < 0 ? x < LeftOfGun : x > RightOfGun; }
  bool Nearer(float x, float than) const { return sign < 0 ? x > than : x < than; }
  bool Reached(float x, float target) const { return sign < 0 ? x >= target : x <= target; }
};
constexpr Side LeftSide{-1, AssaultStep, 0, 331, 347, 346};
constexpr Side RightSide{1, -AssaultStep, PlayfieldWidth, 443, 427, 428};

// The members are renumbered in table order, so the others close up when one falls; then the
// landed trooper nearest the gun walks on toward the next slot and joins when he reaches it.
void Assault(Game& g, const Side& side) {
  int n = 1;
  float best = side.searchFrom;
  int walker = 0;
  for (int j = 1; j <= g.Troopers.UpperBound(); ++j) {
    TrooperData& t = g.Troopers[j];
    if (!t.Active || !side.Holds(t.X) || !Landed(t)) continue;
    if (t.PyramidPos != 0) {
      t.PyramidPos = side.sign * n;
      n += 1;
      g.scene.imgTrooper[j].Picture = g.scene.imgTrooper2.Picture;
    } else if (side.Nearer(t.X, best)) {
      walker = j;
      best = t.X;
    }
  }
  if (walker == 0) return;
  TrooperData& t = g.Troopers[walker];
  t.X = static_cast<float>(t.X + side.step);
  const float target = n == 3 ? side.thirdAt : n == 4 ? side.topAt : side.otherAt;
  if (side.Reached(t.X, target)) t.PyramidPos = side.sign * n;
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
    // Where he stood before this frame's move, even if the wire has just killed him.
    if (Landed(g.Troopers[i])) {
      if (g.Troopers[i].X < LeftOfGun) counts.LeftCount += 1;
      if (g.Troopers[i].X > RightOfGun) counts.RightCount += 1;
    }
    Accelerate(g, g.Troopers[i]);
    Hop(g, i);
    JumpingCastleWalls(g, g.Troopers[i]);
    OpenParachute(g, i);
    TrooperData& t = g.Troopers[i];
    t.Y += t.YVel;
    t.X += t.XVel;
    TouchDown(g, i);
    BunkerWire(g, i);
    if (g.Dead) {
      Flee(t);
    } else {
      TakePlace(t);
      ReachTheGun(g, t);  // troopers later in this pass already see the gunner dead
    }
    g.scene.imgTrooper[i].Move(t.X, t.Y);
    g.scene.imgPara[i].Move(t.X + CanopyOffsetX, t.Y + CanopyOffsetY);
  }
  if (counts.LeftCount >= AssaultStrength && !g.Dead) Assault(g, LeftSide);
  if (counts.RightCount >= AssaultStrength && !g.Dead) Assault(g, RightSide);
  TrimTopSlot(g.Troopers, g.scene.imgTrooper, g.scene.imgPara);
}

}  // namespace flakmire
