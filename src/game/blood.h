#pragma once

namespace flakmire {

struct Game;

// Throws a fan of blood drops from (X, Y) around the direction Ang (radians from straight up,
// clockwise), each at most Variance off it. Fewer drops the slower the last frame was.
void Spurt(Game& g, float X, float Y, float Ang, float Variance);

}  // namespace flakmire
