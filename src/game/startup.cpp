#include "game/startup.h"

#include <charconv>
#include <iterator>
#include <string_view>

#include "game/game.h"
#include "game/intro.h"
#include "game/layout.h"
#include "game/tags.h"

namespace flakmire {

namespace {
constexpr int StartingPoints = 10;
constexpr int StartingBombMaxOffset = 1000;
constexpr int StartingBombMinOffset = -1000;
constexpr long LeftPoleHome = 64;
constexpr long RightPoleHome = 728;
// A title letter without a picture of its own shows the same letter as the first place before it
// that has it.
void LendRepeatedLetters(Scene& s) {
  for (std::size_t i = 0; i < Title.size(); ++i) {
    if (s.imgLetter[i].Picture != PictureId::None) continue;
    const std::size_t first = Title.find(Title[i]);
    if (first < i) s.imgLetter[i].Picture = s.imgLetter[first].Picture;
  }
}

}  // namespace

void ShowLevelCaption(Game& g) {
  // Built in place: a level change allocates nothing.
  constexpr std::string_view Prefix = "Flakmire  Level: ";
  char caption[Prefix.size() + 12];
  Prefix.copy(caption, Prefix.size());
  const auto end = std::to_chars(caption + Prefix.size(), std::end(caption), g.Level + 1).ptr;
  g.ports.window.SetCaption(std::string_view(caption, static_cast<std::size_t>(end - caption)));
}

void Form_Load(Game& g) {
  g.ports.window.Show();
  LendRepeatedLetters(g.scene);
  g.ports.music.PlayOnce(g.ports.dataFolder + "/dropling.mid");
  Intro(g);
  if (g.Unloaded) return;  // closed during the title
  // The table is loaded and checked, and shown, before the first run.
  g.ports.highScores.SubmitScore(LoadOnlyScore, 0, 0, 0, "");
  g.ports.highScores.ShowModal();
  if (g.Unloaded) return;  // its quit button, or a tampered file, ended the program
  ResetGame(g);
}

void ResetGame(Game& g) {
  const EntryScope entry(g.ports.log, Entry::Reset);
  g.Troopers.ShrinkTo(0);
  g.Bullets.ShrinkTo(0);
  g.Copters.ShrinkTo(0);
  g.Jets.ShrinkTo(0);
  Scene& s = g.scene;
  UnloadCopies(s.imgTrooper);
  UnloadCopies(s.imgCopter);
  UnloadCopies(s.imgBullet);
  UnloadCopies(s.imgJet);
  UnloadCopies(s.imgPara);

  s.lnGun[0].Visible = true;
  s.lnGun[1].Visible = true;

  g.Points = StartingPoints;
  g.Score = 0;
  g.Level = 0;
  g.BombMaxOffset = StartingBombMaxOffset;
  g.BombMinOffset = StartingBombMinOffset;
  g.Dead = false;
  g.RunStarted = true;
  g.Paused = false;
  s.lblPaused.Visible = false;
  g.ports.timers.SetEnabled(TimerId::tmrDead, false);
  g.LevelClock = 0;

  // The poles walk back home from wherever the last run's bombs moved them.
  WriteTag(s.lnFlagPole[1].Tag, LeftPoleHome);
  WriteTag(s.lnFlagPole[2].Tag, RightPoleHome);

  g.Wind = 0;
  g.FireKey = 0;
  g.cheats.ClearAll();
  ShowLevelCaption(g);
  g.ports.window.Show();
  g.StartTime = g.ports.clock.DateTimeNow();
  g.ports.timers.SetEnabled(TimerId::Timer1, true);
}

void Form_Unload(Game& g) {
  const EntryScope entry(g.ports.log, Entry::Unload);
  g.Unloaded = true;
}

}  // namespace flakmire
