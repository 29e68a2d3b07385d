#pragma once

namespace flakmire {

// Which keys are down, as far as the main window's processed key events tell.
class KeyState {
 public:
  virtual ~KeyState() = default;

  // True while the key with this game key code (see game/key_codes.h) is held down.
  virtual bool IsDown(int keyCode) const = 0;
};

}  // namespace flakmire
