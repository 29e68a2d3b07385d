#include "game/hits.h"

#include <cmath>

#include "game/blood.h"
#include "game/death.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"

namespace flakmire {

namespace {

// An open canopy makes a trooper a bigger target: this zone around his sprite.
constexpr float CanopyZoneX = -8, CanopyZoneY = -18, CanopyZoneHeight = 43;
constexpr int CanopyPoints = 5;
constexpr int TrooperPoints = 5;
constexpr float OnTheGround = 456;        // a trooper this low stands: a shell leaves no blood
constexpr float WoundX = 8, WoundY = 12;  // the soldier's middle, from his sprite's corner
constexpr float FeetY = 25;               // blood sprays from his feet
constexpr int TrooperBurstLife = 290;
constexpr float NearlyLevel = 0.00001f;  // a level shell's blood still leans its way

constexpr int StrikePoints = 1;  // a shell striking an aircraft
constexpr int WreckPoints = 15;
constexpr float StandardDamage = 1, SmallFastDamage = 3;
constexpr float SmokeDamage = 100;  // a helicopter's; a jet is left at -1
constexpr int KeepLife = 0;         // the explosion keeps the life it starts with

// What differs between helicopters and jets when something hits them.
struct AircraftHits {
  float width, height;
  float middleX, middleY;  // where the explosions on it start, from its sprite's corner
  float fireDamage;        // a frame in a fireball
  int smokeLife, heavyLife, wreckLife;
};
constexpr AircraftHits CopterHits{CopterWidth, CopterHeight, 32, 20, 0.08f, 280, KeepLife, 280};
constexpr AircraftHits JetHits{JetWidth, JetHeight, 40, 16, 0.025f, 290, 290, 291};

// The gunner's own heavy or big shell coming back down kills him in this zone, which is
// narrower and higher than a bomb's.
constexpr float GunZoneLeft = 376, GunZoneRight = 406, GunZoneTop = 424;

const float QuarterPi = static_cast<float>(Pi / 4);

// The object under test as its tests began. Once it is removed, a blood drop or an explosion
// made by its hits may take its slot: that is a new object, neither tested nor removed in its
// place.
struct Shot {
  int slot;
  BulletData was;
  float size;
  bool active = true;

  float Radius() const { return size / 2; }
  bool BoxOnly() const { return was.Kind >= 0; }  // an explosion must reach further in
};

void Remove(Game& g, Shot& shot) {
  if (!shot.active) return;
  shot.active = false;
  g.Bullets[shot.slot].Active = false;
  g.scene.imgBullet[shot.slot].Visible = false;
}

// A fire or smoke explosion. A full table makes none, and then there is no life to set.
void Explode(Game& g, float x, float y, int kind, int life = KeepLife) {
  const int made = CreateBullet(g, x, y, kind, 0);
  if (made != -1 && life != KeepLife) g.Bullets[made].Life = life;
}

// Blood from the feet of a trooper just killed: upwards, leaning the way a shell flew, or any
// way from an explosion. A shell leaves none from a trooper standing on the ground.
void Bleed(Game& g, const Shot& shot, const TrooperData& t) {
  const bool shell = shot.was.Kind >= 0;
  if (shell && t.Y >= OnTheGround) return;
  const float x = t.X + WoundX, y = t.Y + FeetY;
  if (!shell) {
    const auto any = static_cast<float>(g.ports.random.Rnd() * 2 * Pi);
    Spurt(g, x, y, any, static_cast<float>(Pi));
    return;
  }
  const float yVel = shot.was.YVel == 0 ? NearlyLevel : shot.was.YVel;
  const float lean = std::atan(shot.was.XVel / yVel);
  Spurt(g, x, y, yVel > 0 ? lean : -lean, QuarterPi);
}

// A shell stops at the first body it hits; an explosion goes on killing every trooper it
// reaches. Blood hits nobody.
void StrikeTroopers(Game& g, Shot& shot) {
  const BulletData& s = shot.was;
  if (s.Kind == BloodDrop) return;
  for (int j = 1; j <= g.Troopers.UpperBound() && shot.active; ++j) {
    TrooperData& t = g.Troopers[j];  // the projectile step makes and unmakes no troopers
    if (!t.Active) continue;
    if (!IsHit(s.X, s.Y, shot.Radius(), t.X + CanopyZoneX, t.Y + CanopyZoneY, ParachuteSize,
               CanopyZoneHeight, shot.BoxOnly())) {
      continue;
    }
    if (static_cast<float>(shot.size + s.Y) < t.Y && t.ChuteState == ChuteOpen) {
      // Hit from above, the canopy goes and the trooper falls; the shell flies on.
      t.ChuteState = ChuteGone;
      g.Points += CanopyPoints;
      g.scene.imgPara[j].Visible = false;
      continue;
    }
    if (!IsHit(s.X, s.Y, shot.Radius(), t.X, t.Y, TrooperWidth, TrooperHeight, shot.BoxOnly())) {
      continue;
    }
    if (s.Kind >= 0) Remove(g, shot);
    t.Active = false;
    g.Points += TrooperPoints;
    g.scene.imgTrooper[j].Visible = false;
    g.scene.imgPara[j].Visible = false;
    g.ports.sounds.Play(SoundEvent::TrooperDeath);
    HearBurst(g, s.Kind);
    if (s.Kind == HeavyShell) {
      Explode(g, s.X + WoundX, s.Y + WoundY, FireExplosion, TrooperBurstLife);
    }
    if (s.Kind == BigShell || s.Kind == SmokeExplosion) {
      Explode(g, t.X + WoundX, t.Y + WoundY, SmokeExplosion, TrooperBurstLife);
    }
    Bleed(g, shot, t);
  }
}

// Smoke brings any aircraft down.
void Smother(CopterData& copter) { copter.Health -= SmokeDamage; }
void Smother(JetData& jet) { jet.Health = -1; }

SoundEvent Crash(const CopterData&) { return SoundEvent::CopterCrash; }
SoundEvent Crash(const JetData&) { return SoundEvent::JetCrash; }

// Whether or not the object was removed earlier in this frame, it strikes every aircraft it
// touches: a shell that killed a trooper may still damage a helicopter behind him.
template <class Aircraft>
void StrikeAircraft(Game& g, Shot& shot, Table<Aircraft>& table, ControlArray<Sprite>& sprites,
                    const AircraftHits& rules) {
  const BulletData& s = shot.was;
  for (int j = 1; j <= table.UpperBound(); ++j) {
    Aircraft& a = table[j];  // the projectile step makes and unmakes no aircraft
    if (!a.Active ||
        !IsHit(s.X, s.Y, shot.Radius(), a.X, a.Y, rules.width, rules.height, shot.BoxOnly())) {
      continue;
    }
    const float x = a.X + rules.middleX, y = a.Y + rules.middleY;
    switch (s.Kind) {
      case SmokeExplosion:
      case BigShell:
        Smother(a);
        Explode(g, x, y, SmokeExplosion, rules.smokeLife);
        HearBurst(g, s.Kind);
        break;
      case FireExplosion: a.Health -= rules.fireDamage; break;
      case StandardShell:
        a.Health -= StandardDamage;
        g.Points += StrikePoints;
        break;
      case SmallFastShell:
        a.Health -= SmallFastDamage;
        g.Points += StrikePoints;
        break;
      case HeavyShell:
        // No damage of its own: its fireball does the damage, frame by frame.
        Explode(g, x, y, FireExplosion, rules.heavyLife);
        HearBurst(g, s.Kind);
        g.Points += StrikePoints;
        break;
      default: break;  // blood
    }
    if (a.Health <= 0) {
      a.Active = false;
      sprites[j].Visible = false;
      Explode(g, x, y, FireExplosion, rules.wreckLife);
      g.Points += WreckPoints;
      g.ports.sounds.Play(Crash(a));
    }
    if (s.Kind >= 0) Remove(g, shot);
  }
}

void StrikeGunner(Game& g, const Shot& shot) {
  const BulletData& s = shot.was;
  if ((s.Kind != HeavyShell && s.Kind != BigShell) || !shot.active || g.Dead) return;
  if (!(GunZoneLeft < s.X && s.X < GunZoneRight && s.Y > GunZoneTop)) return;
  g.Bullets[shot.slot].Life = 1;  // still in its slot: it goes in the next frame
  g.DeathMethod = '3';
  BeKilled(g);
  Explode(g, GunBlastX, GunBlastY, FireExplosion);
  HearBurst(g, s.Kind);
}

}  // namespace

bool IsHit(float X, float Y, float Radius, float BoxLeft, float BoxTop, float BoxWidth,
           float BoxHeight, bool BoxOnly) {
  if (!(X + Radius > BoxLeft)) return false;
  if (!(BoxLeft + BoxWidth > X - Radius)) return false;
  if (!(Y + Radius > BoxTop)) return false;
  if (!(BoxTop + BoxHeight > Y - Radius)) return false;
  if (BoxOnly) return true;
  const float dx = X - (BoxLeft + BoxWidth / 2);
  const float dy = Y - (BoxTop + BoxHeight / 2);
  return (BoxWidth + BoxHeight) / 4 + Radius > std::sqrt(dx * dx + dy * dy);
}

void HitTests(Game& g, int i, float size) {
  Shot shot{i, g.Bullets[i], size};
  StrikeTroopers(g, shot);
  StrikeAircraft(g, shot, g.Copters, g.scene.imgCopter, CopterHits);
  StrikeAircraft(g, shot, g.Jets, g.scene.imgJet, JetHits);
  StrikeGunner(g, shot);
}

}  // namespace flakmire
