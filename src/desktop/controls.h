#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace flakmire {

// What a control does. The game's keys reach the rules as the key codes they already know; the
// shell's own keys act on the windows and never reach the rules.
enum class Action {
  TurnLeft,
  TurnRight,
  StandardShell,
  SmallFastShell,
  HeavyShell,
  BigShell,
  Pause,
  EndLastLevel,
  Help,
  FullScreen,
  Sound,
  Close,
  Play,
};

// Which window a control works in.
enum class Where { Playfield, Anywhere, HighScores };

// A gamepad's inputs that stand in for keys; Left and Right are the d-pad's or the left stick's.
enum class PadInput { None, Left, Right, A, B, X, Y, Start, Back };

// One key that does it: Qt's code for it and the game's.
struct KeyCodes {
  int qt = 0;
  int game = 0;
};

// One row of the controls: the keys (and pad inputs) that do one thing, named as the help page
// shows them.
struct Control {
  Action action;
  Where where;
  std::array<KeyCodes, 2> keys;  // the second is another key that does the same, or none
  // The key's scan code when it is found by its place on the keyboard rather than by what it
  // carries; its Qt codes then count only where there are no scan codes. 0: by what it carries.
  std::uint32_t place;
  std::array<PadInput, 2> pad;  // the second: another button that does the same, or none
  std::string_view keyName;
  std::string_view padName;  // empty: no button does it
  std::string_view does;
};

// Every control, in the order the help page lists them. The single source of which key does what:
// the key mapping, the help page and the gamepad all read it.
std::span<const Control> Controls();

// The row of an action.
const Control& ControlFor(Action action);

// The row a Qt key belongs to where it is found by what it carries, or nullptr.
const Control* ControlOfKey(int qtKey);

}  // namespace flakmire
