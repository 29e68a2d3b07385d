#pragma once

namespace flakmire {

struct Game;

// Start-up of the program, the reset of a run and the closing of the main window.

// Runs once when the main window is created: shows it, starts the music, plays the title, shows
// the high-score table, then starts the first run.
void Form_Load(Game& g);

// Puts a new run in place: empty tables, the gun out, 10 points, level 1, no cheats, and
// enables the tick.
void ResetGame(Game& g);

// The main window was closed: the program ends at once and nothing more of the game runs.
void Form_Unload(Game& g);

// Captions the window with the level as the player counts it: "Flakmire  Level: 4" for Level 3.
void ShowLevelCaption(Game& g);

}  // namespace flakmire
