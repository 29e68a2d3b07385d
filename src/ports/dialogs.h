#pragma once

#include <string_view>

namespace flakmire {

// The modal windows the game opens from the main window. Each call returns when the window has
// been closed.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The cheat panel, asked for by the code word.
  virtual void ShowCheatPanel() = 0;

  // A message box with one OK button.
  virtual void Message(std::string_view text, std::string_view title) = 0;
};

}  // namespace flakmire
