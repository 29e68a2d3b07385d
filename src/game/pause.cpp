#include "game/pause.h"

#include "game/game.h"

namespace flakmire {

namespace {
// The first frame after a pause is paced as if the pause had not been: a normal frame, not a
// slow one that would thin the projectiles and spill no blood.
constexpr double FrameSeconds = 1.0 / 64;
}  // namespace

void TogglePause(Game& g) {
  const EntryScope entry(g.ports.log, Entry::TogglePause);
  if (!g.RunStarted || g.Dead) return;
  g.Paused = !g.Paused;
  g.scene.lblPaused.Visible = g.Paused;
  Clock& clock = g.ports.clock;
  if (g.Paused) {
    g.PausedAt = clock.DateTimeNow();
  } else {
    g.StartTime += clock.DateTimeNow() - g.PausedAt;  // a run lasts as long as it was played
    g.LastFrameTime = clock.SecondsSinceMidnight() - FrameSeconds;
  }
  g.ports.timers.SetEnabled(TimerId::Timer1, !g.Paused);
  g.ports.window.Present();
}

}  // namespace flakmire
