#include <cmath>

#include "game/death.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"
#include "game/tags.h"

// The bomb's path through the projectile step: its fall, its landing (which marks the ground and
// teaches the jets where to drop), the gun hit, and being shot down.

namespace flakmire {

namespace {

constexpr float BombGravity = 0.01f;
constexpr float GunZoneLeft = 376, GunZoneRight = 416, GunZoneTop = 432;
constexpr int InterceptionPoints = 30;
constexpr int BombBurstLife = 30;

// The flag poles walk to the closest impact on each side of the gun.
void MarkImpact(Game& g, float x) {
  Line& left = g.scene.lnFlagPole[1];
  Line& right = g.scene.lnFlagPole[2];
  if (PivotX > x && x > left.X1) WriteTag(left.Tag, Floor(x));
  if (PivotX < x && x < right.X1) WriteTag(right.Tag, Floor(x));
}

// The jet wrote its release offset into the bomb's tag. A bomb that lands beyond the gun in its
// direction of flight was released too late: no jet releases that late again; one that lands
// short was released too early.
void TeachJets(Game& g, int i) {
  const BulletData& bomb = g.Bullets[i];
  const long overshoot = RoundHalfEven((bomb.X - PivotX) * Sign(bomb.XVel));
  const auto tag = ReadTag(g.scene.imgBullet[i].Tag);
  if (!tag) return;  // a bomb no jet dropped teaches nothing
  const auto offset = static_cast<int>(RoundHalfEven(*tag));
  if (overshoot > 0) {
    if (offset < g.BombMaxOffset) g.BombMaxOffset = offset;
  } else {
    if (offset > g.BombMinOffset) g.BombMinOffset = offset;
  }
}

void Intercept(Game& g, int i) {
  for (int j = 1; j <= g.Bullets.UpperBound(); ++j) {
    if (j == i) continue;
    const BulletData& shell = g.Bullets[j];
    if (!shell.Active || shell.Kind == FireExplosion || shell.Kind == BloodDrop ||
        shell.Kind == Bomb) {
      continue;
    }
    const BulletData& bomb = g.Bullets[i];
    const float reach = (g.scene.imgBullet[j].Width + g.scene.imgBullet[i].Width) / 2;
    const double distance = std::hypot(double{bomb.X} - shell.X, double{bomb.Y} - shell.Y);
    if (!(static_cast<float>(distance) < reach)) continue;

    const int kind = shell.Kind;
    const float shellX = shell.X, shellY = shell.Y;
    if (kind != SmokeExplosion) {
      g.Bullets[j].Active = false;
      g.scene.imgBullet[j].Visible = false;
      g.Points += InterceptionPoints;
    }
    switch (kind) {
      case SmokeExplosion:
      case BigShell:
        // Blown apart: no fireball of its own later, but a burst of smoke now.
        g.Bullets[i].Life = -1;
        HearBurst(g, kind);
        CreateBullet(g, g.Bullets[i].X, g.Bullets[i].Y, SmokeExplosion, 0);
        return;
      case StandardShell: g.Bullets[i].Life -= 1; break;
      case SmallFastShell: g.Bullets[i].Life -= 3; break;
      case HeavyShell:
        g.Bullets[i].Life -= 4;
        CreateBullet(g, shellX, shellY, FireExplosion, 0);
        HearBurst(g, kind);
        break;
      default: break;
    }
  }
}

}  // namespace

void DoBomb(Game& g, int i) {
  {
    BulletData& bomb = g.Bullets[i];
    bomb.YVel += BombGravity;
    bomb.XVel += g.WindDrift;
    bomb.X += bomb.XVel;
    bomb.Y += bomb.YVel;
    if (bomb.Y > g.scene.Shape2.Top) {
      bomb.Life = 0;
      MarkImpact(g, bomb.X);
      TeachJets(g, i);
    }
  }

  if (g.Bullets[i].Y > GunZoneTop && GunZoneLeft < g.Bullets[i].X &&
      g.Bullets[i].X < GunZoneRight) {
    g.Bullets[i].Life = 0;
    CreateBullet(g, GunBlastX, GunBlastY, FireExplosion, 0);
    g.DeathMethod = '2';
    BeKilled(g);
  }

  Intercept(g, i);

  if (g.Bullets[i].Life <= 0) {
    g.ports.sounds.Play(SoundEvent::BombBlast);
    if (g.Bullets[i].Life == 0) {
      const int burst = CreateBullet(g, g.Bullets[i].X, g.Bullets[i].Y, FireExplosion, 0);
      if (burst != -1) g.Bullets[burst].Life = BombBurstLife;
    }
    g.Bullets[i].Active = false;
    g.scene.imgBullet[i].Visible = false;
  }

  Shape& sprite = g.scene.imgBullet[i];
  sprite.Left = g.Bullets[i].X - sprite.Width / 2;
  sprite.Top = g.Bullets[i].Y - sprite.Height / 2;
}

}  // namespace flakmire
