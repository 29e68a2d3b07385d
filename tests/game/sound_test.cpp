// What the player hears: each sound in the frame of its event and at no other time. (That a game
// that hears plays exactly as one that does not, the soak shows, long_play_test.cpp.)

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

const float Down = static_cast<float>(Pi);  // an angle that fires straight down
const std::string Died = "1 TrooperDeath, ";

// Scenes of a few frames. Heard: "frame Sound, " for each sound, in order.
TEST(Sounds, AreHeardInTheFrameOfTheirEvent) {
  using Scene = void (*)(TestGame&);
  for (const auto& [scene, frames, heard] : {
           // The gunner dies as he is killed; his level does not go up behind him, nor sounds.
           // (Every frame checks that a level going up sounds and that no other change does.)
           std::tuple{Scene([](TestGame& t) { t.g.LevelClock = 8, BeKilled(t.g); }), 1,
                      std::string("0 GunnerDeath, ")},
           // A bomb lands; one struck by a heavy shell lives on; a big shell blows one apart; a
           // jet lets one go (sky_test: not when the table is full).
           {[](TestGame& t) {
              t.Make(Bomb, 100, 488.5f), t.Make(Bomb, 200, 100), t.Make(HeavyShell, 200, 100);
              t.Make(Bomb, 300, 100), t.Make(BigShell, 300, 100), CreateJet(t.g),
                  t.queue = {0.5f, 0};
            },
            1, "1 BombBlast, 1 HeavyBlast, 1 BigBlast, 1 BombBlast, 1 BombRelease, "},
           // Shells burst on the ground, and the gunner's own on the gun.
           {[](TestGame& t) {
              t.Make(HeavyShell, 100, 486, Down), t.Make(BigShell, 200, 486, Down);
              t.Make(HeavyShell, 400, 430, Down);
            },
            1, "1 HeavyBlast, 1 BigBlast, 1 GunnerDeath, 1 HeavyBlast, "},
           // Aircraft crash when their health runs out: a big shell's smoke downs one at once, a
           // heavy shell's fire another in a later frame.
           {[](TestGame& t) {
              CreateCopter(t.g), CreateCopter(t.g), CreateJet(t.g);
              t.g.Copters[1] = {100, 100, true, 1, 1}, t.g.Copters[2] = {400, 100, true, 1, 15};
              t.g.Jets[1] = {550, 250, true, 1.7f, 0.03f}, t.Make(StandardShell, 130, 130);
              t.Make(BigShell, 430, 130), t.Make(HeavyShell, 580, 280);
            },
            3, "1 CopterCrash, 1 BigBlast, 1 CopterCrash, 1 HeavyBlast, 3 JetCrash, "},
           // Troopers die on the roof's, the edge's and the bunker's wires, by a fatal fall and
           // crushed under it; then shot, burnt by a heavy shell, and smothered by smoke, which
           // has no blast of its own.
           {[](TestGame& t) {
              t.Put({true, 380, 408, 0, 0, 2}), t.Put({true, 30, 460, 0, 0.8f, 1});
              t.Put({true, 370, 440, 1, 0, 2}), t.Put({true, 200, 462, 0, 3, 2});
              t.Put({true, 205, StandingY, 0, 0, 2});
              for (auto [kind, x] :
                   {std::pair{StandardShell, 300}, {HeavyShell, 100}, {SmokeExplosion, 500}}) {
                t.Put({true, float(x), 300, 0, 0, 2});
                t.Make(kind, x + 8, kind < 0 ? 312 : 330);  // on him, or below
              }
            },
            1, Died + Died + Died + Died + Died + Died + Died + "1 HeavyBlast, " + Died},
       }) {
    TestGame t;
    t.listening = true, t.g.LastFrameTime = t.now, scene(t);  // frames of a normal length
    for (int frame = 0; frame < frames; ++frame) t.Frame();
    EXPECT_EQ(t.heard, heard);
  }
}

}  // namespace
}  // namespace flakmire::testing
