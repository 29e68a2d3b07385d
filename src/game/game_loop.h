#pragma once

namespace flakmire {

struct Game;

// The game loop and the main window's timers.

// A tick of Timer1. While the gunner lives it runs frames without end, yielding to the event
// pump on about every fourth frame; after his death it runs one frame and returns. A tick that
// comes due while one is running does nothing.
void Timer1_Timer(Game& g);

// One frame of the loop. Returns true when the tick ends after it: the gunner is dead, or the
// main window was closed during the frame's yield.
bool RunFrame(Game& g);

// The end of a frame, after its yield: the wind's walk while the gunner lives. True when the tick
// ends after it, as for RunFrame.
bool FinishFrame(Game& g);

// The rest of a tick from just after a frame's yield, as Timer1_Timer would run it. A tape of a run
// that was reset inside a yield (the high-score window's Play) goes on from there.
void FinishTick(Game& g);

// The width of every flag for this wind: 0 to 25 px.
int FlagWidth(float Wind);

// The mouse moved over the main window: show the pointer until it rests for 4 s.
void Form_MouseMove(Game& g);
void tmrTrans_Timer(Game& g);

// The last level, shown as 11; after it the game goes on at this level without end.
constexpr int LastLevel = 10;

constexpr const char* EndlessCaption =
    "Flakmire  -  This inferno will never end so press '~' to submit your score";

}  // namespace flakmire
