// Whole runs to the gunner's death, and the troopers' flight from the dead gun.

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// Frames from a reset on level 4 with 130 points until the gunner dies (three if dead already):
//   0 four or more troopers standing on each side (384 and 392 count for neither);  1 a bomb
//   over the gun;  2 the key C, gun upright;  3 the tilde on the last level;  4 a dead gunner,
//   troopers walking into the bunker's wire, thrown back until it kills;  5 a pyramid whose first
//   man was shot. Draws of 0.0199 make standing troopers hop after the death.
// Seen: slots and last kind, cause, frames, the run handed over, barrel, death timer (1 runs,
// +2 still after its tick), troopers "x,y" ("^" arms raised, "pN" pyramid place, "-" gone).
TEST(Runs, EndByAPyramidABombHisOwnHeavyShellOrTheTildeOnTheLastLevel) {
  for (auto [run, seen] : {
           std::pair{1, "3/k-1 '2' 163: -1 0 0 0s 120 2 4 95s 0 1"},
           {2, "2/k-1 '3' 274: -1 0 0 0s 80 3 4 95s 0 1"},
           {3, "0/k0 '4' 3: -1 0 0 0s 0 4 11 95s 0 1"},
           {4, "11/k2 '' 3: 1 0 - 355.7,463^ 402,463^"},
           {5, "0/k0 '' 1000: 1 0 346,463^ p-1 346,440^ p-2 331,463^ p-3 269,463"},
           {0,
            "1/k-1 '1' 373: -1 0 0 0s 120 1 4 95s 0 1 346,463^ p-1 346,440^ p-2 361,417 p-4 "
            "330.8,463^ 383.3,463^ 390.8,463^ 447.1,463^ 427.5,463^ 427.5,440^ 440.3,463^"},
       }) {
    TestGame t;
    Game& g = t.g;
    t.fallback = run % 4 ? 0.5f : 0.0199f;
    g.Points = 130, g.Level = run == 3 ? 10 : 3, g.GunLength = 6, t.dateTime += 95 / 86400.0;
    for (float x : {345.8f, 330.0f, 300.0f, 320.0f, 384.0f, 392.0f, 470.0f, 460.0f, 450.0f, 440.0f})
      if (run == 0) t.Put({true, x, StandingY, 0, 0, ChuteGone});
    if (run == 4) t.Put({true, 390, 463, 0.3f}), t.Put({true, 357, 463, 0.3f});
    if (run == 4) t.Put({true, 402, 463}), t.Put({true, 425.9f, 463, -0.4f}), g.Dead = true;
    for (int place : {-2, -3, 0, 0})
      if (run == 5) t.Put({true, place ? 346.0f : 200.0f, 463, 0, 0, ChuteGone, place});
    if (run == 1) t.Make(Bomb, 396, 300);
    if (run == 2 || run == 3) Form_KeyDown(g, run == 2 ? key_code::C : key_code::Tilde);
    while (t.presents < 1000 && !(g.Dead && t.presents > 2)) RunFrame(g);
    const bool timer = t.enabled[TimerId::tmrDead];
    tmrDead_Timer(g);
    std::string picture =
        Text("%d/k%d '%s' %d:", g.Bullets.UpperBound(), g.Bullets[g.Bullets.UpperBound()].Kind,
             g.DeathMethod.c_str(), t.presents);
    for (const std::string& run : t.submitted) picture += " " + run;
    picture += Text(" %d %d", g.scene.lnGun[1].Visible, timer + 2 * t.enabled[TimerId::tmrDead]);
    for (int i = 1; i <= g.Troopers.UpperBound(); ++i) {
      const TrooperData& m = g.Troopers[i];
      const bool raised = g.scene.imgTrooper[i].Picture == PictureId::TrooperArmsRaised;
      picture += !m.Active ? " -"
                           : Text(" %.4g,%.4g%s", m.X, m.Y, raised ? "^" : "") +
                                 (m.PyramidPos ? Text(" p%d", m.PyramidPos) : "");
    }
    EXPECT_EQ(picture, seen);
  }
}

// The gunner dies once: the frame without the barrel (-) is shown before any box (M), the
// high-score window loads its table (-1), then takes the run with the first killer's cause, unless
// the run was cheated (the cheat word; or a box ticked in a panel left open across a reset); 2.5 s
// later it shows, and no frame runs behind it. A program ended at the first load (a tampered file)
// runs no more of it.
TEST(Death, HandsTheRunToTheHighScoreWindowOnceAndShowsItWithTheGameStill) {
  const std::string cheated = "PM- -1 0 0 0s/Flakmire|But you cheated! :(/ 1 0 1 1";
  for (auto [how, seen] : {std::pair{0, std::string("P- -1 0 0 0s/42 2 4 95s/ 1 0 1 1")},
                           {1, cheated},
                           {2, cheated},
                           {3, "P- -1 0 0 0s/ 0 0 1 0"}}) {
    TestGame t;
    CheatPanel panel(t.g.cheats, t.boxes);
    if (how == 2) panel.Form_Load(), ResetGame(t.g), panel.chkCheats_Click(4, true);
    if (how == 3) t.onSubmit = [&t] { Form_Unload(t.g); };
    t.g.Score = 42, t.g.Level = 3, t.dateTime += 95 / 86400.0;
    if (how == 1)
      for (char key : std::string_view("SHOWMETRICKS")) Form_KeyDown(t.g, key);
    std::string picture;
    Trace = &picture;
    t.g.DeathMethod = '2', BeKilled(t.g), t.g.DeathMethod = '1', BeKilled(t.g);
    Trace = nullptr, picture += t.barrelShown ? "+ " : "- ";
    for (const auto& said : {t.submitted, t.messages})
      for (const std::string& line : said) picture.append(line).append("/");
    picture += Text(" %d", t.enabled[TimerId::tmrDead]);
    tmrDead_Timer(t.g);
    picture += Text(" %d %d %d", t.enabled[TimerId::tmrDead], t.modals, t.enabled[TimerId::Timer1]);
    EXPECT_EQ(picture + (t.tickBehindModal ? " ticking" : ""), seen) << how;
  }
}

}  // namespace
}  // namespace flakmire::testing
