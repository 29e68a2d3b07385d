#include "game/random_source.h"

#include <bit>

namespace flakmire {

namespace {

std::uint64_t SplitMix64(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t Rotl(std::uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }

}  // namespace

SeededRandom::SeededRandom(std::uint64_t seed) { Seed(seed); }

void SeededRandom::SetState(const State& state) {
  for (int i = 0; i < 4; ++i) s_[i] = state[i];
  if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) s_[0] = 1;
}

void SeededRandom::Seed(std::uint64_t seed) {
  const std::uint64_t a = SplitMix64(seed);
  const std::uint64_t b = SplitMix64(seed);
  s_[0] = static_cast<std::uint32_t>(a);
  s_[1] = static_cast<std::uint32_t>(a >> 32);
  s_[2] = static_cast<std::uint32_t>(b);
  s_[3] = static_cast<std::uint32_t>(b >> 32);
  if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) s_[0] = 1;  // the all-zero state never leaves zero
}

float SeededRandom::Rnd() {
  const std::uint32_t result = s_[0] + s_[3];
  const std::uint32_t t = s_[1] << 9;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = Rotl(s_[3], 11);
  // The top 24 bits fill a float's mantissa exactly: uniform in [0, 1), never 1.
  return static_cast<float>(result >> 8) * 0x1.0p-24f;
}

void SeededRandom::Randomize(float seed) {
  const std::uint64_t mixed =
      (std::uint64_t{s_[0]} << 32 | s_[1]) ^ std::bit_cast<std::uint32_t>(seed);
  Seed(mixed);
}

}  // namespace flakmire
