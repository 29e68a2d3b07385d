#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace flakmire {

struct Verdict {
  int exitCode;        // 0 the tape proves its claim, 1 it does not, 2 it is no tape to play
  std::string report;  // lines for the player
};

// Plays the tape's run through the rules alone, as fast as they go, and sets what it scored
// beside what the tape claims: score, level, duration, cause of death, cheated or not.
Verdict VerifyTape(std::span<const std::uint8_t> bytes);

}  // namespace flakmire
