#pragma once

#include <string>

#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/event_pump.h"
#include "ports/high_score_window.h"
#include "ports/input_log.h"
#include "ports/keys.h"
#include "ports/main_window.h"
#include "ports/music.h"
#include "ports/random.h"
#include "ports/sounds.h"
#include "ports/timers.h"

namespace flakmire {

// Everything the game needs of the world outside it, handed in when a game is made.
struct Ports {
  Clock& clock;
  Random& random;
  KeyState& keys;
  MainWindow& window;
  Timers& timers;
  EventPump& pump;
  Dialogs& dialogs;
  Music& music;
  std::string dataFolder;  // where the tune is
  // Last and defaulted, so that games made without them need not name them.
  HighScoreWindow& highScores = NoHighScoreWindow();
  Sounds& sounds = NoSounds();
  InputLog& log = NoInputLog();  // hears the world's calls: a tape recorder
};

}  // namespace flakmire
