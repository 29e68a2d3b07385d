#include "game/blood.h"

#include <cmath>

#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"

namespace flakmire {

namespace {
constexpr double MsPerSlowdownStep = 24;
constexpr float MaxSlowdown = 9;  // keeps pi^f far inside a whole number's range
constexpr double MostDrops = 12;
}  // namespace

void Spurt(Game& g, float X, float Y, float Ang, float Variance) {
  float f = static_cast<float>(g.FrameMs / MsPerSlowdownStep);
  if (f > MaxSlowdown) f = MaxSlowdown;
  const long n = RoundHalfEven(MostDrops - std::pow(Pi, f));
  Random& random = g.ports.random;
  for (long k = 0; k <= n; ++k) {
    const float r1 = random.Rnd();
    const float r2 = random.Rnd();
    const long side = 2 * Floor(2 * r2) - 1;
    const auto d = static_cast<float>(side * Variance * r1);
    CreateBullet(g, X, Y, BloodDrop, Ang + d);
  }
}

}  // namespace flakmire
