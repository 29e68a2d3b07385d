#pragma once

namespace flakmire {

struct Game;

// Kills the gunner, whose killer has written the cause into DeathMethod: a pause ends, the barrel
// disappears, the run is over and the death timer starts. Does nothing when he is already dead or
// under Invincibility.
void BeKilled(Game& g);

// The death timer, 2.5 s after the death: it fires once.
void tmrDead_Timer(Game& g);

// What a death hands to the high-score window.
struct RunResult {
  int NewScore;
  int DeathMethod;  // the kill-cause code as a number; 0 ("Unknown") when it holds none
  int Level;        // as the player counts it, 1 to 11
  double DateTime;  // how long the run lasted, in days
};

// The run's result as it stands now, by the clock's date and time.
RunResult ResultOfRun(Game& g);

// Where the gun blows up when the gunner dies by a pyramid, a bomb or his own shell.
constexpr float GunBlastX = 396, GunBlastY = 440;

}  // namespace flakmire
