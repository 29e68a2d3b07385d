#include "game/death.h"

#include <charconv>

#include "game/game.h"

namespace flakmire {

void BeKilled(Game& g) {
  if (g.Dead || g.cheats[Cheat::Invincibility]) return;
  g.Dead = true;
  g.scene.lnGun[0].Visible = false;
  g.scene.lnGun[1].Visible = false;
  // The high-score window takes the run here, once it is merged: SubmitScore(-1, 0, 0, 0, "")
  // loads and checks its table; then the message "But you cheated! :(" titled "Flakmire" if the
  // player cheated, else SubmitScore with ResultOfRun(g). Right here, at once: a second killer in
  // this frame overwrites DeathMethod.
  //
  // The death timer comes last. Its window's Play is the only way to a new run, and BeKilled runs
  // inside the trooper and projectile passes: no message box or check above may give it the
  // chance to fire while they still walk their tables.
  g.ports.timers.SetEnabled(TimerId::tmrDead, true);
}

void tmrDead_Timer(Game& g) {
  g.ports.timers.SetEnabled(TimerId::tmrDead, false);
  // Here the high-score window is shown modally, once it is merged. Timer1 off while it is up
  // keeps the playfield still and the program idle behind it.
}

RunResult ResultOfRun(Game& g) {
  int cause = 0;
  const std::string& text = g.DeathMethod;
  std::from_chars(text.data(), text.data() + text.size(), cause);
  return RunResult{g.Score, cause, g.Level + 1, g.ports.clock.DateTimeNow() - g.StartTime};
}

}  // namespace flakmire
