#pragma once

#include <string_view>

namespace flakmire {

enum class Pointer {
  Normal,  // the system's arrow
  Hidden,  // the window's fully transparent pointer
};

// What the game asks of its main window beyond the scene it paints: the caption, the pointer,
// showing the window and painting the current frame.
class MainWindow {
 public:
  virtual ~MainWindow() = default;

  virtual void Show() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual void SetPointer(Pointer pointer) = 0;

  // Paints the scene as it stands, now, without waiting for the event pump.
  virtual void Present() = 0;
};

}  // namespace flakmire
