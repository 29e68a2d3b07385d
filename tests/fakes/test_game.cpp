#include "fakes/test_game.h"

#include <cmath>
#include <stdexcept>

namespace flakmire::testing {

float LevelClockBefore(float target) {
  const float guess = target - 0.001f;
  for (int distance = 0; distance <= 64; ++distance) {
    for (float direction : {-1.0f, 100.0f}) {
      float x = guess;
      for (int s = 0; s < distance; ++s) x = std::nextafter(x, direction);
      if (x + 0.001f == target) return x;
    }
  }
  throw std::logic_error("no level clock value steps onto the target");
}

}  // namespace flakmire::testing
