#include "game/death.h"

#include "game/game.h"

namespace flakmire {

void BeKilled(Game& g) {
  if (g.Dead || g.cheats[Cheat::Invincibility]) return;
  g.Dead = true;
  g.scene.lnGun[0].Visible = false;
  g.scene.lnGun[1].Visible = false;
  // Handing the run to the high-score window comes with that window.
}

}  // namespace flakmire
