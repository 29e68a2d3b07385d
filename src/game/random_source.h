#pragma once

#include <cstdint>

#include "ports/random.h"

namespace flakmire {

// A small, fast uniform generator (xoshiro128+). Randomize stirs the seed into the current state
// instead of replacing it, so frames that read the same clock value still draw new numbers.
class SeededRandom final : public Random {
 public:
  explicit SeededRandom(std::uint64_t seed = 1);

  float Rnd() override;
  void Randomize(float seed) override;

 private:
  void Seed(std::uint64_t seed);
  std::uint32_t s_[4];
};

}  // namespace flakmire
