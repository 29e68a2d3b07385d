#pragma once

#include <array>

namespace flakmire {

// The eight cheat switches that the cheat panel sets and the game reads; every reset clears them.
enum class Cheat {
  Cheated = 0,  // the panel was opened in this run: its score is not entered
  JumpingCastle = 1,
  NoParachutes = 2,
  BigExplosions = 3,
  OneHitWonders = 4,
  Invincibility = 5,
  Free = 6,
  RapidFire = 7,
};

constexpr int CheatCount = 8;

class Cheats {
 public:
  bool operator[](Cheat cheat) const { return on_[static_cast<int>(cheat)]; }
  void Set(Cheat cheat, bool on) { on_[static_cast<int>(cheat)] = on; }
  void ClearAll() { on_.fill(false); }

 private:
  std::array<bool, CheatCount> on_{};
};

}  // namespace flakmire
