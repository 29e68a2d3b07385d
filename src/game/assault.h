#pragma once

namespace flakmire {

struct Game;

// Troopers on the ground, steps of the trooper pass (DoTroopers runs them in this order). Four
// landed on one side of the gun build a pyramid against the bunker, one walker at a time, and
// the man who reaches its top kills the gunner; the wire before the bunker stops them; once the
// gunner is dead, everyone flees the gun and the standing cheer.

// How many landed troopers stand on each side of the gun in this frame.
struct Counts {
  int LeftCount = 0, RightCount = 0;
};

// Counts trooper i where he stood before this frame's move, even if the wire has just killed him.
void CountForAssault(const Game& g, int i, Counts& counts);

// Trooper i, standing on the ground, draws every frame; once the gunner is dead, that draw makes
// him hop now and then with raised arms. After gravity, before the move.
void Hop(Game& g, int i);

// The wire in front of the bunker, after the touch-down.
void BunkerWire(Game& g, int i);

// A pyramid's member takes his slot's place and the top man kills the gunner; once the gunner
// is dead, the pyramids break up and everyone moves away from the gun instead.
void StandOrFlee(Game& g, int i);

// The left and right assault steps, after the pass.
void Assaults(Game& g, const Counts& counts);

}  // namespace flakmire
