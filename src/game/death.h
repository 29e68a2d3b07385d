#pragma once

namespace flakmire {

struct Game;

// Kills the gunner, whose killer has written the cause into DeathMethod: the barrel disappears
// and the run is over. Does nothing when he is already dead or under Invincibility.
void BeKilled(Game& g);

}  // namespace flakmire
