#include "game/intro.h"

#include "game/game.h"
#include "game/layout.h"
#include "game/numbers.h"

namespace flakmire {

namespace {

constexpr double FirstPause = 0.5;
constexpr double UnfoldSecondsPerPixel = 0.005;    // a letter unfolds in 0.27 s
constexpr double TurnOverSecondsPerPixel = 0.015;  // the first letter turns over in 0.81 s
constexpr double LastPause = 1.5;
constexpr double CutPause = 0.5;  // the whole title, a moment, after Esc
constexpr int FullWidth = 54;     // a pixel narrower than the box
constexpr int WidthStep = 2;
constexpr double SecondsPerDay = 86400;

// Seconds from t0 to now; a clock that passed midnight on the way counts on from there.
double Since(Game& g, float t0) {
  double elapsed = double{g.ports.clock.SecondsSinceMidnight()} - t0;
  if (elapsed < 0) elapsed += SecondsPerDay;
  return elapsed;
}

// Sleeps on the clock, as the game loop does, until `seconds` have passed since t0; a wait that
// is already over does not wait at all.
void WaitSince(Game& g, float t0, double seconds) {
  while (Since(g, t0) < seconds) g.ports.clock.SleepUntilNextTick();
}

// Shows the letters as they stand and lets the window handle its events. False when the window
// was closed meanwhile.
bool Yield(Game& g) {
  g.ports.window.Present();
  g.ports.pump.ProcessEvents();
  return !g.Unloaded;
}

// One step of a letter: shown, then the wait for the step's moment. Once Esc has cut the title
// short, the steps left are only laid out, at once and unseen, so the title ends as it always
// does. False when the window was closed meanwhile.
bool Step(Game& g, float t0, double seconds) {
  if (g.TitleCut) return true;
  if (!Yield(g)) return false;
  WaitSince(g, t0, seconds);
  return true;
}

bool Unfold(Game& g, Sprite& letter) {
  const float t0 = g.ports.clock.SecondsSinceMidnight();
  const auto centre =
      static_cast<float>(RoundHalfEven(letter.Left + RoundHalfEven(letter.Width) / 2));
  letter.Width = 0;
  letter.Visible = true;
  for (int k = 0; k <= FullWidth; k += WidthStep) {
    letter.Width = static_cast<float>(k);
    letter.Left = centre - k / 2.0f;
    if (!Step(g, t0, k * UnfoldSecondsPerPixel)) return false;
  }
  return true;
}

// The first letter narrows to a line while the burst widens in its place, on the same centre.
bool TurnOver(Game& g, Sprite& first, Sprite& burst) {
  const float t0 = g.ports.clock.SecondsSinceMidnight();
  const auto centre = static_cast<float>(RoundHalfEven(first.Left + first.Width / 2));
  burst.Width = 0;
  burst.Visible = true;
  for (int k = 0; k <= FullWidth; k += WidthStep) {
    first.Width = static_cast<float>(LetterWidth - k);
    burst.Width = static_cast<float>(k);
    first.Left = centre - (LetterWidth - k) / 2.0f;
    burst.Left = centre - k / 2.0f;
    if (!Step(g, t0, k * TurnOverSecondsPerPixel)) return false;
  }
  first.Visible = false;
  return true;
}

}  // namespace

void Intro(Game& g) {
  auto& letters = g.scene.imgLetter;
  g.ports.window.Show();
  if (!Yield(g)) return;
  WaitSince(g, g.ports.clock.SecondsSinceMidnight(), FirstPause);

  for (int i = 0; i < static_cast<int>(Title.size()); ++i) {
    if (!Unfold(g, letters[i])) return;
  }
  if (!TurnOver(g, letters[0], letters[TurnOverLetter])) return;

  if (!Yield(g)) return;
  WaitSince(g, g.ports.clock.SecondsSinceMidnight(), g.TitleCut ? CutPause : LastPause);
  for (Sprite& letter : letters) letter.Visible = false;
  g.ports.window.Present();  // the playfield without the title, before any window covers it
}

}  // namespace flakmire
