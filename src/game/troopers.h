#pragma once

namespace flakmire {

struct Game;

// Troopers: they jump from the helicopters, fall, open their parachutes, drift with the wind and
// land, or die on the wire or from the fall. Four landed on one side of the gun build a pyramid
// against the bunker, and the man who reaches its top kills the gunner.

// Starts a trooper whose sprite's top-left corner is at (X, Y), falling from rest.
void CreateTrooper(Game& g, float X, float Y, float XVel);

// The trooper step of a frame.
void DoTroopers(Game& g);

constexpr float StandingY = 463;  // the Y of a trooper standing on the ground

}  // namespace flakmire
