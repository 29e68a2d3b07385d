#pragma once

namespace flakmire {

struct Game;

// P and the Pause key stop a run where it stands and start it again. Paused, no frame runs and
// the tick's timer is off, so the game waits without using the processor; the music goes on.
// Only a run in play pauses: not the title, nor a dead gunner waiting for the high-score window;
// a death ends a pause (BeKilled).
void TogglePause(Game& g);

}  // namespace flakmire
