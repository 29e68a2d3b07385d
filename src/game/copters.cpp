#include "game/copters.h"

#include <cmath>

#include "game/aircraft.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/troopers.h"

namespace flakmire {

namespace {
constexpr double TopSpeed = 2;
constexpr double SpeedSpread = 0.2;  // the fifth root pulls most speeds toward the top
constexpr float LowestTop = 170;
constexpr float Health = 15;
constexpr float DoorX = 24, DoorY = 12;  // where the dropped trooper's sprite starts
constexpr int DropOdds = 450, DropOddsPerLevel = 43;
constexpr int SpawnOdds = 250, SpawnOddsPerLevel = 24;
}  // namespace

void CreateCopter(Game& g) {
  const int i = TakeSlot(g.Copters, g.scene.imgCopter);
  if (i == -1) return;
  CopterData& c = g.Copters[i];
  Sprite& sprite = g.scene.imgCopter[i];
  Random& random = g.ports.random;
  c.Active = true;
  do {
    const auto speed = static_cast<float>(std::pow(random.Rnd(), SpeedSpread) * TopSpeed);
    const auto direction = static_cast<int>(Floor(random.Rnd() * 2) * 2 - 1);
    c.XVel = speed * static_cast<float>(direction);
    PlaceOnStartLine(c, sprite, g.scene.imgCopter[0].Picture, g.scene.imgCopter2.Picture);
  } while (c.XVel == 0);
  c.Y = random.Rnd() * LowestTop;
  c.Health = g.cheats[Cheat::OneHitWonders] ? 1 : Health;
  sprite.Move(c.X, c.Y);
  sprite.Visible = true;
}

void DoCopters(Game& g, bool Spawn) {
  Random& random = g.ports.random;
  const int upper = g.Copters.UpperBound();
  for (int i = 1; i <= upper; ++i) {
    if (!g.Copters[i].Active) continue;
    CopterData& c = g.Copters[i];
    FlyOn(c, g.scene.imgCopter[i]);
    // Every helicopter that started the step gets its chance to drop, even one that just left.
    if (ChanceOneIn(random, DropOdds - DropOddsPerLevel * g.Level)) {
      CreateTrooper(g, c.X + DoorX, c.Y + DoorY, c.XVel);
    }
    g.scene.imgCopter[i].Move(c.X, c.Y);
  }
  // Drawn whatever Spawn says, so that the random sequence doesn't depend on the phase.
  const bool spawnDraw = ChanceOneIn(random, SpawnOdds - SpawnOddsPerLevel * g.Level);
  if (Spawn && spawnDraw) CreateCopter(g);
  TrimTopSlot(g.Copters, g.scene.imgCopter);
}

}  // namespace flakmire
