#include "desktop/gamepad.h"

#include <SDL.h>

#include <QApplication>
#include <QEvent>
#include <QStyleHints>
#include <iterator>

#include "desktop/controls.h"
#include "desktop/form1.h"
#include "desktop/form2.h"

namespace flakmire {

namespace {

// Fast enough that a press reaches the next yield of the game loop; slower while no pad is in,
// when only a pad being plugged in is to be noticed.
constexpr int PollMs = 10;
constexpr int IdlePollMs = 250;

// A held fire button repeats at the platform's rate, which Qt gives, after a common delay, which
// it does not.
constexpr int RepeatDelayMs = 500;

// The left stick's x axis runs from -32768 to 32767. It turns the gun once pushed to TurnAt and
// rests again only back within RestAt, so a stick held near the edge does not chatter.
constexpr int TurnAt = 12000;
constexpr int RestAt = 8000;

// The stick's direction after it moved to x: -1 left, 0 at rest, 1 right.
int StickDirection(int current, int x) {
  if (current < 0 && x < -RestAt) return -1;
  if (current > 0 && x > RestAt) return 1;
  if (x >= TurnAt) return 1;
  if (x <= -TurnAt) return -1;
  return 0;
}

// SDL's inputs, as the table of controls names them. The stick's two directions are numbered
// after SDL's buttons.
constexpr int StickLeft = SDL_CONTROLLER_BUTTON_MAX;
constexpr int StickRight = SDL_CONTROLLER_BUTTON_MAX + 1;

struct Input {
  int sdl;
  PadInput pad;
};

constexpr Input Inputs[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadInput::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadInput::Right},
    {StickLeft, PadInput::Left},
    {StickRight, PadInput::Right},
    {SDL_CONTROLLER_BUTTON_A, PadInput::A},
    {SDL_CONTROLLER_BUTTON_B, PadInput::B},
    {SDL_CONTROLLER_BUTTON_X, PadInput::X},
    {SDL_CONTROLLER_BUTTON_Y, PadInput::Y},
    {SDL_CONTROLLER_BUTTON_START, PadInput::Start},
    {SDL_CONTROLLER_BUTTON_BACK, PadInput::Back},
};

int RowOf(int sdlInput) {
  for (int row = 0; row < static_cast<int>(std::size(Inputs)); ++row) {
    if (Inputs[row].sdl == sdlInput) return row;
  }
  return -1;
}

// What an input does in a window, or nullptr.
const Control* ControlOf(int row, Where where) {
  for (const Control& c : Controls()) {
    if (c.where == where && (c.pad[0] == Inputs[row].pad || c.pad[1] == Inputs[row].pad)) return &c;
  }
  return nullptr;
}

// The game's key an input stands for on the playfield, or 0.
int KeyOf(int row) {
  const Control* c = ControlOf(row, Where::Playfield);
  return c != nullptr ? c->keys[0].game : 0;
}

// Without Rapid Fire a shell flies only on a key-down, so a held fire button repeats as a held key
// does; a held Start must not pause and go on.
bool Repeats(const Control& c) {
  return c.action == Action::StandardShell || c.action == Action::SmallFastShell ||
         c.action == Action::HeavyShell || c.action == Action::BigShell;
}

bool ScoresHaveThePad(const Form2& scores) {
  return QApplication::activeModalWidget() == &scores && scores.isActiveWindow();
}

// Not behind a message box, the cheat panel or the high-score window, nor another program's.
bool MainHasThePad(const Form1& main) {
  return QApplication::activeModalWidget() == nullptr && main.isActiveWindow();
}

void Silent(void*, int, SDL_LogPriority, const char*) {}

}  // namespace

Gamepad::Gamepad(Form1& main, Form2& scores) : main_(main), scores_(scores) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and kill stay Qt's
  SDL_LogSetOutputFunction(Silent, nullptr);      // no pad, no SDL: no news
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
  running_ = true;
  main_.installEventFilter(this);
  connect(&poll_, &QTimer::timeout, this, &Gamepad::Poll);
  connect(&repeat_, &QTimer::timeout, this, &Gamepad::Repeat);
  poll_.start(IdlePollMs);
}

Gamepad::~Gamepad() {
  if (!running_) return;
  for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (SDL_WasInit(0) == 0) SDL_Quit();  // nothing else of SDL is up: let it free the rest
}

// A call out to the main window comes last in every step: a key may open a modal window (a
// message box at the death) whose event loop polls again.
void Gamepad::Poll() {
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) {
    switch (e.type) {
      case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); break;
      // SDL lets go of every button and axis of a pad before it says the pad is gone.
      case SDL_CONTROLLERDEVICEREMOVED: Close(e.cdevice.which); break;
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP: {
        Pad* pad = Find(e.cbutton.which);
        const int row = RowOf(e.cbutton.button);
        if (pad != nullptr && row >= 0) Set(*pad, row, e.cbutton.state == SDL_PRESSED);
        break;
      }
      case SDL_CONTROLLERAXISMOTION:
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) Stick(e.caxis.which, e.caxis.value);
        break;
      default: break;
    }
  }
  const int interval = pads_.empty() ? IdlePollMs : PollMs;
  if (poll_.interval() != interval) poll_.setInterval(interval);
}

bool Gamepad::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &main_ && event->type() == QEvent::FocusOut) Forget();
  return false;
}

void Gamepad::Open(int deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  pads_.push_back(
      Pad{controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))});
}

void Gamepad::Close(std::int32_t id) {
  for (auto pad = pads_.begin(); pad != pads_.end(); ++pad) {
    if (pad->id != id) continue;
    SDL_GameControllerClose(pad->controller);
    pads_.erase(pad);
    return;
  }
}

Gamepad::Pad* Gamepad::Find(std::int32_t id) {
  for (Pad& pad : pads_) {
    if (pad.id == id) return &pad;
  }
  return nullptr;
}

void Gamepad::Stick(std::int32_t id, int x) {
  Pad* pad = Find(id);
  if (pad == nullptr) return;
  const int was = pad->stick;
  pad->stick = StickDirection(was, x);
  if (pad->stick == was) return;
  if (was != 0) Set(*pad, RowOf(was < 0 ? StickLeft : StickRight), false);
  if (pad->stick != 0) Set(*pad, RowOf(pad->stick < 0 ? StickLeft : StickRight), true);
}

void Gamepad::Set(Pad& pad, int row, bool down) {
  const std::uint32_t bit = 1u << row;
  if (((pad.down & bit) != 0) == down) return;
  pad.down ^= bit;
  if (down) {
    Press(pad, row);
  } else {
    Release(pad, row);
  }
}

void Gamepad::Press(Pad& pad, int row) {
  if (ScoresHaveThePad(scores_)) {
    const Control* c = ControlOf(row, Where::HighScores);
    if (c != nullptr && c->action == Action::Play) scores_.PressPlay();
    return;
  }
  const Control* c = ControlOf(row, Where::Playfield);
  if (c == nullptr || !MainHasThePad(main_)) return;  // it stays up until pressed again
  pad.pressed |= 1u << row;
  if (Repeats(*c) && QGuiApplication::styleHints()->keyboardAutoRepeatRate() > 0) {
    repeatPad_ = pad.id, repeatRow_ = row;
    repeat_.start(RepeatDelayMs);
  }
  main_.KeyDown(c->keys[0].game, false);
}

void Gamepad::Release(Pad& pad, int row) {
  const std::uint32_t bit = 1u << row;
  if ((pad.pressed & bit) == 0) return;
  pad.pressed &= ~bit;
  if (repeatPad_ == pad.id && repeatRow_ == row) repeat_.stop();
  // The stick and the d-pad, or two pads, may hold the same key: it is up when both let go.
  if (!Holds(KeyOf(row))) main_.KeyUp(KeyOf(row));
}

bool Gamepad::Holds(int key) const {
  for (const Pad& pad : pads_) {
    for (int row = 0; row < static_cast<int>(std::size(Inputs)); ++row) {
      if ((pad.pressed & (1u << row)) != 0 && KeyOf(row) == key) return true;
    }
  }
  return false;
}

void Gamepad::Repeat() {
  // Letting go, the focus leaving and the pad going (it lets go first) stop the repeat.
  if (Find(repeatPad_) == nullptr) return repeat_.stop();
  repeat_.setInterval(1000 / QGuiApplication::styleHints()->keyboardAutoRepeatRate());
  main_.KeyDown(KeyOf(repeatRow_), true);
}

// The main window let go of every key as it lost the keyboard: a button still held stays up
// for the game until it is pressed again.
void Gamepad::Forget() {
  for (Pad& pad : pads_) pad.pressed = 0;
  repeat_.stop();
}

}  // namespace flakmire
