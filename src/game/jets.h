#pragma once

namespace flakmire {

struct Game;

// Jets: they cross the top of the sky and bomb the gun from a window of release offsets that
// the landing bombs narrow.

// Starts one jet 150 px outside a side edge, flying inwards.
void CreateJet(Game& g);

// The jet step of a frame; Spawn allows a new jet to start in it.
void DoPlanes(Game& g, bool Spawn);

}  // namespace flakmire
