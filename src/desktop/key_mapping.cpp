#include "desktop/key_mapping.h"

#include <Qt>

#include "desktop/controls.h"

namespace flakmire {

namespace {

struct KeyPair {
  int qt;
  int game;
};

// Keys outside the controls, the letters and the digits, with the codes the game knows them by.
constexpr KeyPair OtherKeys[] = {
    {Qt::Key_Backspace, 8},     {Qt::Key_Tab, 9},         {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},        {Qt::Key_CapsLock, 20},
    {Qt::Key_Space, 32},        {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},          {Qt::Key_Home, 36},       {Qt::Key_Up, 38},
    {Qt::Key_Down, 40},         {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},
    {Qt::Key_Semicolon, 186},   {Qt::Key_Equal, 187},     {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},       {Qt::Key_Period, 190},    {Qt::Key_Slash, 191},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
};

}  // namespace

int GameKeyCode(int qtKey, std::uint32_t nativeScanCode) {
  for (const Control& control : Controls()) {
    if (control.place != 0 && control.place == nativeScanCode) return control.keys[0].game;
  }
  // A key found by its place goes by what it carries only on a platform without scan codes.
  if (const Control* control = ControlOfKey(qtKey);
      control != nullptr && (control->place == 0 || nativeScanCode == 0)) {
    for (const KeyCodes& key : control->keys) {
      if (key.qt == qtKey) return key.game;
    }
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;  // Qt's codes for these are their ASCII capitals, as the game's are
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  for (const KeyPair& pair : OtherKeys) {
    if (pair.qt == qtKey) return pair.game;
  }
  return 0;
}

}  // namespace flakmire
