#include "game/death.h"

#include <charconv>

#include "game/game.h"
#include "game/pause.h"

namespace flakmire {

void BeKilled(Game& g) {
  if (g.Dead || g.cheats[Cheat::Invincibility]) return;
  // A death ends a pause (the paused time is no play, and frames must go on behind the high-score
  // window); leaving it is refused once the gunner is dead.
  if (g.Paused) TogglePause(g);
  g.Dead = true;
  g.scene.lnGun[0].Visible = false;
  g.scene.lnGun[1].Visible = false;
  // Any box below opens over the frame as it is now, without the barrel.
  g.ports.window.Present();
  g.ports.sounds.Play(SoundEvent::GunnerDeath);
  // The run goes to the high-score window at once: a second killer in this frame overwrites
  // DeathMethod. Submitting -1 first loads and checks the table.
  HighScoreWindow& window = g.ports.highScores;
  window.SubmitScore(LoadOnlyScore, 0, 0, 0, "");
  if (g.Unloaded) return;  // a tampered file has ended the program
  // A cheated run's result is taken too: its tape says what it would have scored.
  const RunResult run = ResultOfRun(g);
  const bool cheated = g.cheats[Cheat::Cheated];
  g.ports.log.RunOver(run.NewScore, run.DeathMethod, run.Level, run.DateTime, cheated);
  if (cheated) {
    g.ports.dialogs.Message("But you cheated! :(", "Flakmire");
  } else {
    window.SubmitScore(run.NewScore, run.DeathMethod, run.Level, run.DateTime, "");
  }
  // The death timer comes last. Its window's Play is the only way to a new run, and BeKilled runs
  // inside the trooper and projectile passes: no message box or check above may give it the
  // chance to fire while they still walk their tables.
  g.ports.timers.SetEnabled(TimerId::tmrDead, true);
}

void tmrDead_Timer(Game& g) {
  const EntryScope entry(g.ports.log, Entry::tmrDead);
  g.ports.timers.SetEnabled(TimerId::tmrDead, false);
  // No frames behind the window: the playfield stands still under it and the program idles.
  g.ports.timers.SetEnabled(TimerId::Timer1, false);
  g.ports.highScores.ShowModal();
  // Its Play has started the next run; closed any other way, the dead run goes on a frame a tick.
  if (!g.Unloaded) g.ports.timers.SetEnabled(TimerId::Timer1, true);
}

RunResult ResultOfRun(Game& g) {
  int cause = 0;
  const std::string& text = g.DeathMethod;
  std::from_chars(text.data(), text.data() + text.size(), cause);
  return RunResult{g.Score, cause, g.Level + 1, g.ports.clock.DateTimeNow() - g.StartTime};
}

}  // namespace flakmire
