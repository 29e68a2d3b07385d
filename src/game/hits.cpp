#include "game/hits.h"

namespace flakmire {

// Shells pass through troopers and aircraft until their hit tests are built.
void HitTests(Game&, int, float) {}

}  // namespace flakmire
