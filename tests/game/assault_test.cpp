// Whole runs to the gunner's death, and the troopers' flight from the dead gun.

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// The troopers as a player sees them: " x,y" ("^" arms raised, "pN" his place in a pyramid), or
// " -" for a slot whose trooper is gone.
std::string Ground(const Game& g) {
  std::string seen;
  for (int i = 1; i <= g.Troopers.UpperBound(); ++i) {
    const TrooperData& m = g.Troopers[i];
    const bool raised = g.scene.imgTrooper[i].Picture == PictureId::TrooperArmsRaised;
    const char* picture = !m.Active ? " -" : m.PyramidPos ? " %g,%g%s p%d" : " %g,%g%s";
    seen += Text(picture, m.X, m.Y, raised ? "^" : "", m.PyramidPos);
  }
  return seen;
}

// Troopers in the left pyramid's places, then troopers standing at these x left of the gun;
// mirrored on the right, x to `about` - x: 776 mirrors the bounds of the count (384 and 392), 774
// the walkers' marks. Frames until the gunner dies, at most `frames`. Seen: the frames, the kill
// cause, the projectiles in use, "|", the troopers.
struct AssaultRow {
  std::vector<float> standing;
  int frames;
  const char *left, *right;
  float about = 776;
  std::vector<int> places = {};
};

TEST(Assault, EachSideBuildsItsOwnPyramidFromItsOwnCountAndItsTopKillsTheGunner) {
  // clang-format off
  for (const AssaultRow& r : {
      // Four on one side build; three on the other don't. The one nearest the gun walks 0.2 px a
      // frame to his place's mark: the inner foot and the shoulders 346 | 428, the outer foot
      // 331 | 443, the top 347 | 427. The top man kills the gunner.
      AssaultRow{{345.8f, 330, 300, 320, 470, 460, 450}, 500,
       "372 '1' -1@396,440/299 | 346,463^ p-1 346,440^ p-2 361,417 p-4 330.831,463^ "
           "470.176,463 460.207,463 450.25,463",
       "372 '1' -1@396,440/299 | 427,463^ p1 427,440^ p2 408,417 p4 440.316,463^ "
           "303.878,463 313.864,463 323.846,463", 774},
      // 384 and 392 count for neither side, nor walk; a fourth who counts is the nearest and joins.
      {{300, 320, 340, 384}, 1, "1 '' | 300,463 320,463 340,463 384,463",
                                "1 '' | 476,463 456,463 436,463 392,463"},
      {{300, 320, 340, 384, 383.9f}, 1, "1 '' | 300,463 320,463 340,463 384,463 384.1,463 p-1",
                                        "1 '' | 476,463 456,463 436,463 392,463 391.9,463 p1"},
      // A trooper killed on the edge coil still counts in that frame: the walker steps once.
      // The dead man's slot, on top, goes at the end of the step.
      {{300, 320, 340, 50}, 2, "2 '' | 300,463 320,463 340.2,463",
                               "2 '' | 476,463 456,463 435.8,463"},
      // The members close up when one is shot; of equals the first in the table walks.
      {{300, 300}, 200, "200 '' | 346,463^ p-1 346,440^ p-2 331,463^ p-3 309.001,463",
                        "200 '' | 427,463^ p1 427,440^ p2 440,463^ p3 469,463", 776, {2, 3}}}) {
    // clang-format on
    for (int side : {-1, 1}) {
      TestGame t;
      for (int place : r.places)
        t.Put({true, 388.0f + side * 42, StandingY, 0, 0, ChuteGone, side * place});
      for (float x : r.standing)
        t.Put({true, side < 0 ? x : r.about - x, StandingY, 0, 0, ChuteGone});
      while (t.frames < r.frames && !t.g.Dead) t.Frame();
      EXPECT_EQ(
          Text("%d '%s'", t.frames, t.g.DeathMethod.c_str()) + InUse(t.g) + " |" + Ground(t.g),
          side < 0 ? r.left : r.right);
    }
  }
}

// Frames from a reset on level 4 with 130 points until the gunner dies (three if dead already):
//   1 a bomb over the gun;  2 the key C, gun upright;  3 the tilde on the last level;  4 a dead
//   gunner: the troopers flee from x 402 (but one standing on it) and drift into the bunker's
//   wire, which throws them back or kills them. Draws of 0.0199 make standing troopers hop after
//   the death.
// Seen: slots and last kind, cause, frames, the run handed over, the troopers. (How the death's
// timer and window go on is the next test's.)
TEST(Runs, EndByABombHisOwnHeavyShellOrTheTildeOnTheLastLevel) {
  for (auto [run, seen] :
       {std::pair{1, "3/k-1 '2' 163: -1 0 0 0s 120 2 4 95s"},
        {2, "2/k-1 '3' 274: -1 0 0 0s 80 3 4 95s"},
        {3, "0/k0 '4' 3: -1 0 0 0s 0 4 11 95s"},
        {4, "1/k2 '' 3: -1 0 0 0s 0 0 4 95s 387.997,462.972^ 356.407,462.972^ 402,462.972^"}}) {
    TestGame t;
    Game& g = t.g;
    t.fallback = run == 4 ? 0.0199f : 0.5f;
    g.Points = 130, g.Level = run == 3 ? 10 : 3, g.GunLength = 6, t.dateTime += 95 / 86400.0;
    if (run == 4) t.Put({true, 390, 463, 0.3f}), t.Put({true, 357, 463, 0.3f});
    if (run == 4) t.Put({true, 402, 463}), t.Put({true, 425.9f, 463, -0.4f}), BeKilled(g);
    if (run == 1) t.Make(Bomb, 396, 300);
    if (run == 2 || run == 3) Form_KeyDown(g, run == 2 ? key_code::C : key_code::Tilde);
    while (t.presents < 1000 && !(g.Dead && t.presents > 2)) RunFrame(g);
    std::string picture =
        Text("%d/k%d '%s' %d:", g.Bullets.UpperBound(), g.Bullets[g.Bullets.UpperBound()].Kind,
             g.DeathMethod.c_str(), t.presents);
    for (const std::string& run : t.submitted) picture += " " + run;
    EXPECT_EQ(picture + Ground(g), seen);
  }
}

// The gunner dies once: the frame without the barrel (-) is shown before any box (M), the
// high-score window loads its table (-1), then takes the run with the first killer's cause, unless
// the run was cheated (the cheat word; or a box ticked in a panel left open across a reset); 2.5 s
// later it shows, and no frame runs behind it. A program ended at the first load (a tampered file)
// runs no more of it.
TEST(Death, HandsTheRunToTheHighScoreWindowOnceAndShowsItWithTheGameStill) {
  const std::string cheated = "PM- -1 0 0 0s/Flakmire|But you cheated! :(/ 1 0 1 1";
  const std::string seen[] = {"P- -1 0 0 0s/42 2 4 95s/ 1 0 1 1", cheated, cheated,
                              "P- -1 0 0 0s/ 0 0 1 0"};
  for (int how = 0; how < 4; ++how) {
    TestGame t;
    CheatPanel panel(t.g.cheats, t.boxes);
    if (how == 2) panel.Form_Load(), ResetGame(t.g), panel.chkCheats_Click(4, true);
    if (how == 3) t.onSubmit = [&t] { Form_Unload(t.g); };
    t.g.Score = 42, t.g.Level = 3, t.dateTime += 95 / 86400.0;
    for (char key : std::string_view(how == 1 ? "SHOWMETRICKS" : "")) Form_KeyDown(t.g, key);
    std::string picture;
    Trace = &picture, t.g.DeathMethod = '2', BeKilled(t.g), t.g.DeathMethod = '1', BeKilled(t.g);
    Trace = nullptr, picture += t.barrelShown ? "+ " : "- ";
    for (const auto& said : {t.submitted, t.messages})
      for (const std::string& line : said) picture.append(line).append("/");
    picture += Text(" %d", t.enabled[TimerId::tmrDead]);
    tmrDead_Timer(t.g);
    picture += Text(" %d %d %d", t.enabled[TimerId::tmrDead], t.modals, t.enabled[TimerId::Timer1]);
    EXPECT_EQ(picture + (t.tickBehindModal ? " ticking" : ""), seen[how]) << how;
  }
}

}  // namespace
}  // namespace flakmire::testing
