#pragma once

namespace flakmire {

// The version of the rules of play that a tape of a run is played back with. A tape holds only
// what the world handed to the rules, so the same run plays out only under the same rules: bump
// this with every change to a rule, a number, the order of random draws or of the ports' calls in
// src/game or src/cheats, and with any change to the random source. Tapes of other versions are
// refused rather than proven wrong.
constexpr int RulesVersion = 1;

}  // namespace flakmire
