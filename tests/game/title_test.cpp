// The program's start: the music, the title with its letters unfolding and turning over on their
// centres however coarse the clock, then the high-score table and the first run.

#include "fakes/test_game.h"
#include "game/intro.h"

namespace flakmire::testing {
namespace {

// Which letters show, "left,top+width" of letter 0 and "left+width" of letters 3, 10 and 11, and
// "!" when the last shows the picture of the first "!".
std::string Letters(const Scene& s) {
  std::string seen;
  for (const Sprite& letter : s.imgLetter) seen += letter.Visible ? '*' : '-';
  seen += Text(" %g,%g+%g", s.imgLetter[0].Left, s.imgLetter[0].Top, s.imgLetter[0].Width);
  for (int i : {3, 10, 11}) seen += Text(" %g+%g", s.imgLetter[i].Left, s.imgLetter[i].Width);
  return seen + (s.imgLetter[10].Picture == s.imgLetter[8].Picture ? " ! | " : " | ");
}

// The title as it stands at its end.
const std::string Stood = "-*********** 114.5,144+1 256+54 648+54 88+54 ! | ";

// Seen as the title starts (the tune playing from the program's folder, no high-score table yet),
// while letter 3 unfolds (k = 20), once the F has turned over, and at the end; then the switches
// for the first run, the cheat panels and high-score tables shown, the title's yields, its paints
// (the last clears the field) and its length. The cheat word typed during the title opens the
// panel, and what was switched on then is off for the first run. Also with a clock of 15 ms steps,
// and across midnight.
TEST(Title, PlaysBetweenTheMusicAndTheHighScoresUnfoldingEachLetterAndTurningTheFirstOver) {
  const std::string tune = "/opt/flakmire/dropling.mid 0 tables ";
  const std::string seen = tune + "------------ 88,144+55 256+55 648+55 88+55 ! | " + tune +
                           "****-------- 88,144+54 273+20 648+55 88+55 ! | " + tune + Stood +
                           "------------ 114.5,144+1 256+54 648+54 88+54 ! | cheats 00000000, "
                           "1 panel 1 table 338 yields 339 paints ";
  // The start's time of day, the clock's step, then the title's length.
  // clang-format off
  for (auto [start, tick, length] : {std::tuple{36000.0f, 1.0f / 64, "5.906 s"},
                                     {100.0f, 0.015f, "5.985 s"}, {86397.0f, 1.0f / 64, "5.906 s"}}) {
    // clang-format on
    TestGame t(false);
    std::string shots;
    t.now = start, t.tick = tick;
    t.onYield = [&] {
      if (t.yields == 1 || t.yields == 96 || t.yields == 338)
        shots += Text("%s %d tables ", t.played.at(0).c_str(), t.modals) + Letters(t.g.scene);
      if (t.yields != 50) return;
      for (char key : std::string_view("SHOWMETRICKS")) Form_KeyDown(t.g, key);
      t.g.cheats.Set(Cheat::Free, true);
    };
    Form_Load(t.g);
    shots += Letters(t.g.scene) + Numbers(t.g).substr(Numbers(t.g).find("cheats")) +
             Text(", %d panel %d table %d yields %d paints %.3f s", t.cheatPanels, t.modals,
                  t.yields, t.presents, std::fmod(t.now - start + 86400.0, 86400.0));
    EXPECT_EQ(shots, seen + length);
    EXPECT_FALSE(t.tickBehindModal) << "the first run started behind the table";
  }
}

// Esc while letter 3 unfolds, as the F turns over, and as the title stands: next the title as it
// ends, standing half a second, then the table and the first run. Closing the window instead
// (no key) ends the start-up there. Seen: the letters at each yield after the key, how long the
// last picture stood, the tables shown, the run's tick, the last key typed.
TEST(Title, EscCutsItShortToItsLastPictureForAMomentThenTheTableFollows) {
  const std::string next = "0.500 s, 1 table, run 1, last key 27";
  const int esc = key_code::Escape;
  // The yield of the key (0: the close), then what is seen.
  // clang-format off
  for (auto [at, key, seen] : {std::tuple{96, esc, Stood + next}, {320, esc, Stood + next},
                               {338, esc, next}, {100, 0, "0.000 s, 0 table, run 0, last key 0"}}) {
    // clang-format on
    TestGame t(false);
    float shown = 0;
    std::string got;
    t.onYield = [&] {
      if (t.yields > at) got += Letters(t.g.scene);
      if (t.yields == at) key ? Form_KeyDown(t.g, key) : Form_Unload(t.g);
      shown = t.now;
    };
    Form_Load(t.g);
    got += Text("%.3f s, %d table, run %d, last key %d", t.now - shown, t.modals,
                t.enabled[TimerId::Timer1], t.g.KeyBuffer.back());
    EXPECT_EQ(got, seen) << "key " << key << " at yield " << at;
  }
}

}  // namespace
}  // namespace flakmire::testing
