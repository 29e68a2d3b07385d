#pragma once

namespace flakmire {

struct Game;

// Helicopters: they cross the sky at a random height and speed and drop troopers.

// Starts one helicopter 150 px outside a side edge, flying inwards.
void CreateCopter(Game& g);

// The helicopter step of a frame; Spawn allows a new helicopter to start in it.
void DoCopters(Game& g, bool Spawn);

}  // namespace flakmire
