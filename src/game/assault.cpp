#include "game/assault.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "game/blood.h"
#include "game/death.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"
#include "game/troopers.h"

namespace flakmire {

namespace {

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
constexpr float WoundX = 8, WoundY = 12;  // the soldier's middle

// After the gunner's death everyone moves away from x 402, the faster the closer.
constexpr float FleeFrom = 402, FleeStrength = 12;
constexpr int HopOdds = 50;  // a standing trooper cheers: a hop now and then, arms up
constexpr float HopSpeed = 0.7f;

// On the ground, or in a pyramid: the troopers who count for an assault.
bool Landed(const TrooperData& t) { return t.Y == StandingY || t.PyramidPos != 0; }

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

void CountForAssault(const Game& g, int i, Counts& counts) {
  const TrooperData& t = g.Troopers[i];
  if (!Landed(t)) return;
  if (t.X < LeftOfGun) counts.LeftCount += 1;
  if (t.X > RightOfGun) counts.RightCount += 1;
}

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

void BunkerWire(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  if (!(t.Y > BunkerWireTop && BunkerWireLeft < t.X && t.X < BunkerWireRight)) return;
  const bool left = t.X < BunkerWireMiddle;
  if (g.cheats[Cheat::JumpingCastle] || std::fabs(t.XVel) < SlowEnough) {
    t.XVel = left ? -std::fabs(t.XVel) * ThrownBack : std::fabs(t.XVel) * ThrownBack;
    return;
  }
  t.Active = false;
  g.scene.imgTrooper[i].Visible = false;
  g.scene.imgPara[i].Visible = false;
  g.ports.sounds.Play(SoundEvent::TrooperDeath);
  const auto halfPi = static_cast<float>(Pi / 2);
  Spurt(g, t.X + WoundX, t.Y + WoundY, left ? halfPi : -halfPi, static_cast<float>(Pi));
}

void StandOrFlee(Game& g, int i) {
  TrooperData& t = g.Troopers[i];
  if (g.Dead) {
    Flee(t);
  } else {
    TakePlace(t);
    ReachTheGun(g, t);  // troopers later in this pass already see the gunner dead
  }
}

void Assaults(Game& g, const Counts& counts) {
  if (counts.LeftCount >= AssaultStrength && !g.Dead) Assault(g, LeftSide);
  if (counts.RightCount >= AssaultStrength && !g.Dead) Assault(g, RightSide);
}

}  // namespace flakmire
