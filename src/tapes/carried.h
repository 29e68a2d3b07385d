#pragma once

#include "tapes/tape_file.h"

namespace flakmire {

struct Game;

// What a new run takes over from the game as it stands at the reset, and how a replay puts it
// back. The random source's state is the recorder's and the replay's business.
CarriedState TakeCarried(const Game& g);
void GiveCarried(Game& g, const CarriedState& s);

}  // namespace flakmire
