#include "game/projectiles.h"

#include <algorithm>
#include <cmath>

#include "game/game.h"
#include "game/hits.h"
#include "game/numbers.h"

namespace flakmire {

namespace {

struct ShellSpec {
  int cost;  // in Points
  float speed;
  int life;
  float size;
  Rgb fill, border;
};

constexpr ShellSpec Standard{1, 5, 330, 9, {192, 192, 192}, {128, 128, 128}};
constexpr ShellSpec SmallFast{2, 8, 1000, 4, {64, 64, 64}, {0, 0, 0}};
constexpr ShellSpec Heavy{40, 4, 1000, 15, {192, 192, 0}, {128, 128, 0}};
constexpr ShellSpec Big{100, 5, 1000, 15, {224, 224, 224}, {176, 176, 176}};

const ShellSpec* FindShell(int kind) {
  switch (kind) {
    case StandardShell: return &Standard;
    case SmallFastShell: return &SmallFast;
    case HeavyShell: return &Heavy;
    case BigShell: return &Big;
    default: return nullptr;
  }
}

constexpr int BloodLife = 150;
constexpr float BloodSize = 5;
constexpr double BloodSideSpeed = 0.4;
constexpr double BloodBrightness = 0.2;  // the fifth root pulls most drops toward bright red

constexpr int BombHits = 6;
constexpr float BombSize = 15;
constexpr Rgb BombFill{0, 0, 128}, BombBorder{0, 0, 64};

constexpr int ExplosionLife = 300;
constexpr Rgb FireFill{255, 240, 0}, FireBorder{207, 200, 127};
constexpr Rgb SmokeFill{192, 192, 192}, SmokeBorder{128, 128, 128};

constexpr float Gravity = 0.03f;
constexpr int ShellBurstLife = 30;  // a heavy or big shell bursting on the ground
constexpr float SinkDepth = 2;      // objects deeper than this in the ground are gone
constexpr float SmallShellCeiling = -100;

// Explosions swell from a point to their widest at life 150 and shrink again.
constexpr int ExplosionDivisor = 160, BigExplosionDivisor = 40;
constexpr double HeatFactor = 128, BigHeatFactor = 32;

// Explosion thinning on very slow frames.
constexpr double ThinningFrameMs = 400;
constexpr float ThinningDistance = 2;
constexpr double ThinningLifeRatio = 1.1;

constexpr int ShrinkBlock = 11;

int Clamp255(long v) { return static_cast<int>(std::clamp(v, 0L, 255L)); }

// Size and colour of an explosion from its remaining life: red through yellow to white as it
// grows; smoke is the same at half brightness.
float SizeExplosion(Game& g, int i) {
  const bool big = g.cheats[Cheat::BigExplosions];
  const int life = g.Bullets[i].Life;
  const auto size =
      static_cast<float>(life * (300 - life) / (big ? BigExplosionDivisor : ExplosionDivisor));
  const double heat = std::pow(size / 90.0, 2) * (big ? BigHeatFactor : HeatFactor) + 255;
  const long h = RoundHalfEven(heat);
  int red = static_cast<int>(std::min(h, 255L));
  int green = Clamp255(h - 255);
  int blue = Clamp255(h - 510);
  if (g.Bullets[i].Kind == SmokeExplosion) {
    red /= 2;
    green /= 2;
    blue /= 2;
  }
  Shape& sprite = g.scene.imgBullet[i];
  sprite.FillColor = Rgb{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                         static_cast<std::uint8_t>(blue)};
  sprite.BorderColor =
      Rgb{static_cast<std::uint8_t>((red + 160) / 2), static_cast<std::uint8_t>((green + 160) / 2),
          static_cast<std::uint8_t>((blue + 255) / 2)};
  return size;
}

// A shell that shrinks to nothing as its life runs out.
float FadingSize(int life, int fullLife, float fullSize) {
  return static_cast<float>(std::sqrt(std::sin(life / static_cast<double>(fullLife) * Pi / 2)) *
                            fullSize);
}

// A heavy or big shell that reached the ground bursts into a short explosion.
void BurstOnGround(Game& g, int i) {
  BulletData& shell = g.Bullets[i];
  shell.Active = false;
  g.scene.imgBullet[i].Visible = false;
  const int kind = shell.Kind == HeavyShell ? FireExplosion : SmokeExplosion;
  HearBurst(g, shell.Kind);
  const int burst = CreateBullet(g, shell.X, shell.Y, kind, 0);
  if (burst != -1) g.Bullets[burst].Life = ShellBurstLife;
}

// Drops fireballs that sit on top of a similar one, while the game runs very slowly.
void ThinExplosions(Game& g, int i) {
  const BulletData& b = g.Bullets[i];
  for (int j = i + 1; j <= g.Bullets.UpperBound(); ++j) {
    BulletData& other = g.Bullets[j];
    if (other.Active && other.Kind == FireExplosion &&
        std::fabs(static_cast<float>(other.X - b.X)) < ThinningDistance &&
        std::fabs(static_cast<float>(other.Y - b.Y)) < ThinningDistance &&
        static_cast<double>(other.Life) / b.Life < ThinningLifeRatio) {
      other.Life = 0;
    }
  }
}

// Cuts the table back by eleven slots when its eleven highest slots are all free.
void ShrinkBullets(Game& g) {
  const int n = g.Bullets.UpperBound();
  if (n <= ShrinkBlock) return;  // slot 0 always stays
  for (int j = n; j > n - ShrinkBlock; --j) {
    if (g.Bullets[j].Active) return;
  }
  for (int j = n; j > n - ShrinkBlock; --j) g.scene.imgBullet.UnloadTop();
  g.Bullets.ShrinkTo(n - ShrinkBlock);
}

}  // namespace

int ShellCost(int Bullet) {
  const ShellSpec* shell = FindShell(Bullet);
  return shell != nullptr ? shell->cost : 0;
}

int CreateBullet(Game& g, float X, float Y, int Bullet, float Angle) {
  const int i = TakeSlot(g.Bullets, g.scene.imgBullet);
  if (i == -1) return -1;
  BulletData& b = g.Bullets[i];
  Shape& sprite = g.scene.imgBullet[i];
  b.X = X;
  b.Y = Y;
  b.Kind = Bullet;

  if (const ShellSpec* shell = FindShell(Bullet)) {
    if (g.Points < shell->cost) return -1;
    g.Points -= shell->cost;
    b.XVel = static_cast<float>(std::sin(Angle) * shell->speed);
    b.YVel = static_cast<float>(-std::cos(Angle) * shell->speed);
    b.Life = shell->life;
    sprite.Width = sprite.Height = shell->size;
    sprite.FillColor = shell->fill;
    sprite.BorderColor = shell->border;
  } else {
    switch (Bullet) {
      case BloodDrop: {
        if (!g.FastFrame) return -1;  // no blood for a machine that can't draw it in time
        b.XVel = static_cast<float>(std::sin(Angle) * BloodSideSpeed);
        b.YVel = static_cast<float>(-std::cos(Angle));
        b.Life = BloodLife;
        sprite.Width = sprite.Height = BloodSize;
        const auto red =
            static_cast<int>(RoundHalfEven(std::pow(g.ports.random.Rnd(), BloodBrightness) * 255));
        sprite.FillColor = Rgb{static_cast<std::uint8_t>(red), 0, 0};
        sprite.BorderColor = Rgb{static_cast<std::uint8_t>(red / 2), 0, 0};
        break;
      }
      case Bomb:
        b.XVel = Angle;  // the jet's own speed
        b.YVel = 0;
        b.Life = g.cheats[Cheat::OneHitWonders] ? 1 : BombHits;
        sprite.Width = sprite.Height = BombSize;
        sprite.FillColor = BombFill;
        sprite.BorderColor = BombBorder;
        break;
      case FireExplosion:
      case SmokeExplosion:
        // Explosions never move, and their size is set by every frame of the projectile step.
        b.Life = ExplosionLife;
        sprite.FillColor = Bullet == FireExplosion ? FireFill : SmokeFill;
        sprite.BorderColor = Bullet == FireExplosion ? FireBorder : SmokeBorder;
        break;
      default: return -1;
    }
  }

  sprite.Left = X - sprite.Width / 2;
  sprite.Top = Y - sprite.Height / 2;
  sprite.Visible = true;
  b.Active = true;
  return i;
}

void HearBurst(Game& g, int Bullet) {
  if (Bullet == HeavyShell) g.ports.sounds.Play(SoundEvent::HeavyBlast);
  if (Bullet == BigShell) g.ports.sounds.Play(SoundEvent::BigBlast);
}

void DoBullets(Game& g) {
  const float ground = g.scene.Shape2.Top;
  const int upper = g.Bullets.UpperBound();
  for (int i = 1; i <= upper; ++i) {
    if (!g.Bullets[i].Active) continue;
    if (g.Bullets[i].Kind == Bomb) {
      DoBomb(g, i);
      continue;
    }

    // Creators may grow the table, so records are looked up afresh after each of their calls.
    {
      BulletData& b = g.Bullets[i];
      if (b.Kind >= 0) {
        b.XVel += g.WindDrift;
        b.YVel += Gravity;
        b.X += b.XVel;
        b.Y += b.YVel;
      }
      b.Life = std::max(b.Life - 1, 0);
    }

    float size = 0;
    switch (g.Bullets[i].Kind) {
      case SmokeExplosion:
      case FireExplosion: size = SizeExplosion(g, i); break;
      case StandardShell: size = FadingSize(g.Bullets[i].Life, Standard.life, Standard.size); break;
      case SmallFastShell:
        size = SmallFast.size;
        if (g.Bullets[i].Y < SmallShellCeiling) g.Bullets[i].Life = 0;
        break;
      case BloodDrop: size = FadingSize(g.Bullets[i].Life, BloodLife, BloodSize); break;
      case HeavyShell:
      case BigShell:
        size = FindShell(g.Bullets[i].Kind)->size;
        // If the burst takes this very slot, the rest of the frame applies to the burst.
        if (g.Bullets[i].Y > ground) BurstOnGround(g, i);
        break;
      default: break;
    }
    // A shell whose burst took a lower slot is gone: it is neither moved nor tested any more.
    if (!g.Bullets[i].Active) continue;

    BulletData& b = g.Bullets[i];
    g.scene.imgBullet[i].Move(b.X - size / 2, b.Y - size / 2, size, size);

    if (static_cast<float>(b.Y - size / 2) > static_cast<float>(ground + SinkDepth)) b.Life = 0;

    if (g.FrameMs > ThinningFrameMs && b.Kind < 0 && size > 0) ThinExplosions(g, i);

    if (b.Life <= 0) {
      // The pass ends here: the objects above this one wait for the next frame.
      b.Active = false;
      g.scene.imgBullet[i].Visible = false;
      break;
    }

    HitTests(g, i, size);
  }
  ShrinkBullets(g);
}

}  // namespace flakmire
