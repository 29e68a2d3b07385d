#include "desktop/controls.h"

#include <Qt>

#include "game/key_codes.h"

namespace flakmire {

namespace {

// The scan code of the key left of 1.
#if defined(Q_OS_WIN)
constexpr std::uint32_t TildeScanCode = 0x29;
#else
constexpr std::uint32_t TildeScanCode = 49;  // X11 and Wayland: evdev's TLDE + 8
#endif

// The shell's own keys keep the codes every key has always had (F1 112, F11 122, N 78, Esc 27),
// so a key the game never acted on reads as before.
constexpr int F1Code = 112, F11Code = 122, NCode = 'N', EscCode = 27, EnterCode = 13;

using enum Action;
using enum PadInput;

// clang-format off
constexpr std::array<Control, 13> Table = {{
    {TurnLeft, Where::Playfield, {{{Qt::Key_Left, key_code::Left}}}, 0, {Left},
     "\u2190", "d-pad or left stick \u2190", "turn the gun left"},
    {TurnRight, Where::Playfield, {{{Qt::Key_Right, key_code::Right}}}, 0, {Right},
     "\u2192", "d-pad or left stick \u2192", "turn the gun right"},
    {StandardShell, Where::Playfield, {{{Qt::Key_B, key_code::B}}}, 0, {A},
     "B", "A", "standard shell: reloads fastest"},
    {SmallFastShell, Where::Playfield, {{{Qt::Key_V, key_code::V}}}, 0, {B},
     "V", "B", "small fast shell: flies far and straight"},
    {HeavyShell, Where::Playfield, {{{Qt::Key_C, key_code::C}}}, 0, {X},
     "C", "X", "heavy shell: bursts into a fireball where it lands"},
    {BigShell, Where::Playfield, {{{Qt::Key_X, key_code::X}}}, 0, {Y},
     "X", "Y", "big shell: a blast of smoke that brings down anything it touches"},
    {Pause, Where::Playfield, {{{Qt::Key_P, key_code::P}, {Qt::Key_Pause, key_code::Pause}}}, 0,
     {Start}, "P or Pause", "Start", "pause the run, and go on"},
    {EndLastLevel, Where::Playfield,
     {{{Qt::Key_QuoteLeft, key_code::Tilde}, {Qt::Key_AsciiTilde, key_code::Tilde}}},
     TildeScanCode, {Back}, "~ (the key left of 1)", "Back",
     "on the endless last level: stop and keep your score"},
    {Help, Where::Anywhere, {{{Qt::Key_F1, F1Code}}}, 0, {},
     "F1", "", "show the keys, and hide them"},
    {FullScreen, Where::Anywhere, {{{Qt::Key_F11, F11Code}}}, 0, {},
     "F11", "", "full screen, and back to the window"},
    {Sound, Where::Anywhere, {{{Qt::Key_N, NCode}}}, 0, {},
     "N", "", "all sound off, and on again"},
    {Close, Where::Anywhere, {{{Qt::Key_Escape, EscCode}}}, 0, {},
     "Esc", "", "close the page of keys; leave full screen"},
    {Play, Where::HighScores, {{{Qt::Key_Return, EnterCode}, {Qt::Key_Enter, EnterCode}}}, 0,
     {A, Start}, "Enter", "A or Start", "play again"},
}};
// clang-format on

}  // namespace

std::span<const Control> Controls() { return Table; }

const Control& ControlFor(Action action) {
  for (const Control& c : Table) {
    if (c.action == action) return c;
  }
  return Table.front();  // every action has its row
}

const Control* ControlOfKey(int qtKey) {
  for (const Control& c : Table) {
    for (const KeyCodes& key : c.keys) {
      if (key.qt != 0 && key.qt == qtKey) return &c;
    }
  }
  return nullptr;
}

}  // namespace flakmire
