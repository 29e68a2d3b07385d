#pragma once

namespace flakmire {

struct Game;

// The title that opens the program: the letters of the game's name unfold one by one from a
// line to their full width, the first turns over into a flak burst, and the title stands a
// moment before it goes. About 5.8 s; the window stays responsive throughout. Esc cuts it short:
// the whole title at once, for a moment. Returns early when the main window is closed.
void Intro(Game& g);

}  // namespace flakmire
