#pragma once

namespace flakmire {

struct Game;

// The title that opens the program: the letters of the game's name unfold one by one from a
// line to their full width, the first turns over into a flak burst, and the title stands a
// moment before it goes. About 5.8 s; the window stays responsive throughout. Returns early when
// the main window is closed.
void Intro(Game& g);

}  // namespace flakmire
