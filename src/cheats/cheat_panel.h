#pragma once

#include <array>
#include <string_view>

#include "cheats/cheats.h"
#include "ports/cheat_boxes.h"
#include "ports/input_log.h"

namespace flakmire {

// The captions of the boxes; switch 0, the cheated mark, has no box the player sees.
constexpr std::array<std::string_view, CheatCount> CheatCaptions = {
    "",     "Jumping Castle", "No Parachutes", "Big Explosions", "One Hit Wonders", "Invincibility",
    "FREE", "Rapid Fire"};

// The cheat panel's rules: loading it marks the run as cheated, its boxes show the switches, and
// a click on a box turns its switch on or off at once; a switch turned on marks the run too. The
// panel lives from its opening until it is closed; the switches outlive it until the next reset.
class CheatPanel {
 public:
  // The log hears the panel's opening and the player's clicks, as the world's calls into the rules.
  CheatPanel(Cheats& cheats, CheatBoxes& boxes, InputLog& log = NoInputLog())
      : cheats_(cheats), boxes_(boxes), log_(log) {}

  // The panel was loaded: captions the boxes and clears them, and marks the run as cheated.
  void Form_Load();
  // The panel became the active window: every box shows its switch.
  void Form_Activate();
  // The player ticked or cleared box Index; a tick marks the run as cheated.
  void chkCheats_Click(int Index, bool checked);

 private:
  Cheats& cheats_;
  CheatBoxes& boxes_;
  InputLog& log_;
};

}  // namespace flakmire
