#pragma once

namespace flakmire {

// A uniform random source that the game reseeds from the clock every frame.
class Random {
 public:
  virtual ~Random() = default;

  // The next number, uniform in [0, 1).
  virtual float Rnd() = 0;

  // Stirs a new seed into the generator.
  virtual void Randomize(float seed) = 0;
};

}  // namespace flakmire
