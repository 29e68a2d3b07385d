// The pause: P or the Pause key stops a run in play and starts it again as if no time had passed.

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// Paused: the word shows at once (a second paint), the tick's timer is off, a tick runs no frame,
// and the key still went through the key handler. A minute later, resumed: the first frame is a
// fast one and the minute does not count to the run's length.
TEST(Pause, StopsOnlyARunInPlayAndStartsItAgainAsIfNoTimeHadPassedUntilADeathEndsIt) {
  for (int key : {int{'P'}, 19}) {  // the letter's capital, and the code the shell gives Pause
    TestGame t;
    t.Frame(), Form_KeyDown(t.g, key), Timer1_Timer(t.g);  // one frame, then paused
    std::string seen = Text("%d paints %d timer %d key %d clock %d", t.g.scene.lblPaused.Visible,
                            t.presents, t.enabled[TimerId::Timer1], t.g.FireKey,
                            static_cast<int>(std::lround(t.g.LevelClock * 1000)));
    t.now += 60, t.dateTime += 60 / 86400.0;
    Form_KeyDown(t.g, key), t.Frame();
    seen += Text(" | %d timer %d fast %d lasted %.0f s", t.g.scene.lblPaused.Visible,
                 t.enabled[TimerId::Timer1], t.g.FastFrame, (t.dateTime - t.g.StartTime) * 86400);
    EXPECT_EQ(seen, Text("1 paints 2 timer 0 key %d clock 1 | 0 timer 1 fast 1 lasted 0 s", key));
  }
  TestGame title(false), dead, reset;  // not during the title, nor once the gunner is dead
  Form_KeyDown(title.g, key_code::P), BeKilled(dead.g), Form_KeyDown(dead.g, key_code::P);
  Form_KeyDown(reset.g, key_code::P), ResetGame(reset.g);  // and a reset ends a pause
  EXPECT_EQ(Text("title %d dead %d reset %d %d", title.g.Paused, dead.g.Paused, reset.g.Paused,
                 reset.g.scene.lblPaused.Visible),
            "title 0 dead 0 reset 0 0");
  // "~" on the last level, half a minute into the run and a minute into a pause: the death leaves
  // the pause, so the paused minute is no play and frames go on behind the window; under
  // Invincibility nothing changes and the pause stays.
  for (bool invincible : {false, true}) {
    TestGame t;
    t.g.Level = LastLevel, t.g.cheats.Set(Cheat::Invincibility, invincible);
    t.dateTime += 30 / 86400.0, Form_KeyDown(t.g, key_code::P);
    t.dateTime += 60 / 86400.0, Form_KeyDown(t.g, key_code::Tilde);
    std::string seen =
        Text("%d %d %d", t.g.Paused, t.g.scene.lblPaused.Visible, t.enabled[TimerId::Timer1]);
    for (const std::string& run : t.submitted) seen += ", " + run;
    EXPECT_EQ(seen, invincible ? "1 1 0" : "0 0 1, -1 0 0 0s, 0 4 11 30s");
  }
}

}  // namespace
}  // namespace flakmire::testing
