#pragma once

namespace flakmire {

struct Game;

// The hit tests of the shell, blood drop or explosion in slot i, of the given size, against the
// troopers, the aircraft and the gunner. Run by the projectile step after the object has moved.
void HitTests(Game& g, int i, float size);

}  // namespace flakmire
