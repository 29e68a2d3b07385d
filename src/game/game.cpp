#include "game/game.h"

#include <cmath>

namespace flakmire {

namespace {
// Room for a busy sky, so that steady play never grows a table inside a frame.
constexpr int RoomForTroopers = 256;
constexpr int RoomForProjectiles = 1024;
constexpr int RoomForAircraft = 64;

// Each aircraft's sprite shows, where it is, exactly while it flies.
template <class Aircraft>
bool AircraftInStep(const Table<Aircraft>& table, const ControlArray<Sprite>& sprites) {
  for (int i = 1; i <= table.UpperBound(); ++i) {
    const Sprite& p = sprites[i];
    const bool on = table[i].Active;
    if (p.Visible != on || (on && (p.Left != table[i].X || p.Top != table[i].Y))) return false;
  }
  return true;
}
}  // namespace

Game::Game(Ports ports) : ports(std::move(ports)) {
  Troopers.Reserve(RoomForTroopers);
  scene.imgTrooper.Reserve(RoomForTroopers);
  scene.imgPara.Reserve(RoomForTroopers);
  Bullets.Reserve(RoomForProjectiles);
  scene.imgBullet.Reserve(RoomForProjectiles);
  Copters.Reserve(RoomForAircraft);
  scene.imgCopter.Reserve(RoomForAircraft);
  Jets.Reserve(RoomForAircraft);
  scene.imgJet.Reserve(RoomForAircraft);
}

const char* TableOutOfStep(const Game& g) {
  const Scene& s = g.scene;
  const int troopers = g.Troopers.UpperBound();
  if (s.imgTrooper.UpperBound() != troopers) return "Troopers/imgTrooper";
  if (s.imgPara.UpperBound() != troopers) return "Troopers/imgPara";
  if (s.imgBullet.UpperBound() != g.Bullets.UpperBound()) return "Bullets/imgBullet";
  if (s.imgCopter.UpperBound() != g.Copters.UpperBound()) return "Copters/imgCopter";
  if (s.imgJet.UpperBound() != g.Jets.UpperBound()) return "Jets/imgJet";
  return "";
}

const char* SceneOutOfStep(const Game& g) {
  const Scene& s = g.scene;
  for (int i = 1; i <= g.Troopers.UpperBound(); ++i) {
    const TrooperData& t = g.Troopers[i];
    const Sprite &man = s.imgTrooper[i], &chute = s.imgPara[i];
    // The walker to a pyramid steps 0.2 px after the pass has moved his sprite.
    if (man.Visible != t.Active ||
        (t.Active && (man.Top != t.Y || std::fabs(man.Left - t.X) >= 0.21f)))
      return "a trooper shows, where he is, exactly while alive";
    if (chute.Visible != (t.Active && t.ChuteState == ChuteOpen) ||
        (chute.Visible && (chute.Left != man.Left - 8 || chute.Top != man.Top - 17)))
      return "a canopy shows over its trooper exactly while open";
  }
  if (!AircraftInStep(g.Copters, s.imgCopter))
    return "imgCopter shows, where it is, exactly while it flies";
  if (!AircraftInStep(g.Jets, s.imgJet)) return "imgJet shows, where it is, exactly while it flies";
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    const BulletData& b = g.Bullets[i];
    const Shape& p = s.imgBullet[i];
    if (p.Visible != b.Active ||
        (b.Active && (p.Left != b.X - p.Width / 2 || p.Top != b.Y - p.Height / 2)))
      return "imgBullet shows, centred on it, exactly while its projectile is in use";
  }
  if (s.lnGun[0].Visible == g.Dead || s.lnGun[1].Visible == g.Dead)
    return "both barrel lines show exactly while the gunner lives";
  return "";
}

}  // namespace flakmire
