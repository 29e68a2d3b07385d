#include "game/game.h"

namespace flakmire {

namespace {
// Room for a busy sky, so that steady play never grows a table inside a frame.
constexpr int RoomForTroopers = 256;
constexpr int RoomForProjectiles = 1024;
constexpr int RoomForAircraft = 64;
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

}  // namespace flakmire
