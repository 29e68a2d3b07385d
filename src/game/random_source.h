#pragma once

#include <array>
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

  // The whole state: a tape starts its run's draws where the game's were.
  using State = std::array<std::uint32_t, 4>;
  State GetState() const { return {s_[0], s_[1], s_[2], s_[3]}; }
  void SetState(const State& state);

 private:
  void Seed(std::uint64_t seed);
  std::uint32_t s_[4];
};

}  // namespace flakmire
