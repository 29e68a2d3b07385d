#pragma once

#include <string>
#include <utility>

#include "cheats/cheats.h"
#include "game/layout.h"
#include "game/records.h"
#include "game/scene.h"
#include "game/tables.h"
#include "ports/ports.h"

namespace flakmire {

// All state of the game for the life of the program: the main window's fields, the four entity
// tables, the playfield scene, the cheat switches and the ports. Every rule is a free function
// over it, in the file named for its subsystem.
struct Game {
  explicit Game(Ports ports);

  Ports ports;
  Scene scene = MakePlayfield();
  Cheats cheats;
  double StartTime = 0;  // date-time of the run's reset, in days

  Table<TrooperData> Troopers;
  Table<BulletData> Bullets;
  Table<CopterData> Copters;
  Table<JetData> Jets;

  // The main window's fields. ResetGame sets most; the others carry over from run to run.
  float GunAngle = 0;      // 1/90 rad from straight up, -120 to 120; carries over
  int FireKey = 0;         // the last key pressed; the gun step consumes it
  float LevelClock = 0;    // +0.001 a frame; drives the phases of a level
  float WindDrift = 0;     // Wind / 1000: the horizontal drift a frame
  float Wind = 0;          // -3 to 3 in steps of 0.1
  bool FastFrame = false;  // the last frame took 40 ms or less
  int BombMaxOffset = 0;   // the jets' bombing window of release offsets
  int BombMinOffset = 0;
  double FrameMs = 0;       // how long the last frame took
  std::string DeathMethod;  // the kill-cause code as digits; carries over
  bool Dead = false;
  int Points = 0;            // spendable; shots cost points, kills earn them
  int Score = 0;             // the high-water mark of Points - 10 while alive
  int Level = 0;             // 0 to 10; shown as Level + 1
  std::string KeyBuffer;     // the last twelve keys typed; carries over
  double LastFrameTime = 0;  // the clock at the end of the last frame's wait
  float GunLength = 0;       // 0 to 6; the barrel is 6 x GunLength px; the reload state
  bool RunStarted = false;   // the first reset has been: a run can pause from then on
  bool Paused = false;
  double PausedAt = 0;    // the date and time the pause began
  bool TitleCut = false;  // Esc cut the title short

  // Not rules of play: guards of the shell's entry points.
  bool TickRunning = false;  // ticks never nest
  bool Unloaded = false;     // the main window was closed: nothing more runs
};

// Slot i of a table drives member i of its sprite arrays, so each table's upper bound equals
// theirs. Names the first table out of step with its sprites ("Troopers/imgPara"), or "".
const char* TableOutOfStep(const Game& g);

// What the player sees follows the records: a free slot's sprites are hidden and a live one's show
// where its record is (a trooper's canopy over his head while it is open); both barrel lines show
// exactly while the gunner lives. Names the first rule broken, or "".
const char* SceneOutOfStep(const Game& g);

}  // namespace flakmire
