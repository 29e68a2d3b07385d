#pragma once

#include <QObject>
#include <functional>

namespace flakmire {

struct Game;
class Form1;
class HelpPage;

// The shell's own keys, in whichever of the game's windows has the keyboard: F1 opens the help
// page over it and closes it again, F11 switches the playfield to full screen and back; they never
// reach the rules. N switches all sound off and on, and goes on to the rules as it always has.
class ShellKeys final : public QObject {
  Q_OBJECT

 public:
  ShellKeys(Game& game, Form1& form) : game_(game), form_(form) {}

  // Shows the help page until the player closes it, or closes the one that shows. A run in play
  // pauses with the game's own pause while it shows; a run the player paused stays paused.
  void ToggleHelp();

  // What the sound key does.
  void OnSoundKey(std::function<void()> toggle) { soundKey_ = std::move(toggle); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Game& game_;
  Form1& form_;
  HelpPage* page_ = nullptr;
  std::function<void()> soundKey_;
};

}  // namespace flakmire
