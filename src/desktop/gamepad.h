#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <vector>

typedef struct _SDL_GameController SDL_GameController;

namespace flakmire {

class Form1;
class Form2;

// The gamepads: every controller SDL knows, plugged in before or during play, read on a timer in
// the GUI thread and turned into the game's key codes for whichever of the game's windows is
// active. Without SDL, or when it cannot start, it does nothing and the keyboard plays alone.
class Gamepad final : public QObject {
  Q_OBJECT

 public:
  Gamepad(Form1& main, Form2& scores);
  ~Gamepad() override;
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  bool Running() const { return running_; }
  // Takes what SDL has seen since the last call: the timer calls it, tests may too.
  void Poll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Pad {
    SDL_GameController* controller;
    std::int32_t id;            // SDL's instance id
    int stick = 0;              // the left stick's direction: -1 left, 0 at rest, 1 right
    std::uint32_t down = 0;     // the inputs held, one bit per row of the mapping
    std::uint32_t pressed = 0;  // those of them that hold their key down in the main window
  };

  void Open(int deviceIndex);
  void Close(std::int32_t id);
  Pad* Find(std::int32_t id);
  void Stick(std::int32_t id, int x);
  void Set(Pad& pad, int row, bool down);
  void Press(Pad& pad, int row);
  void Release(Pad& pad, int row);
  bool Holds(int key) const;
  void Repeat();
  void Forget();

  Form1& main_;
  Form2& scores_;
  bool running_ = false;
  std::vector<Pad> pads_;
  QTimer poll_, repeat_;
  std::int32_t repeatPad_ = -1;  // the fire button that repeats: its pad and row
  int repeatRow_ = -1;
};

}  // namespace flakmire
