// A gamepad without hardware: SDL's virtual controller presses buttons and moves the sticks; the
// main window's key state and its key-downs follow, and the high-score window's play button.

#include "desktop/gamepad.h"

#include <SDL.h>

#include <QTest>
#include <map>

#include "desktop/form2.h"
#include "game_window.h"

namespace flakmire::testing {
namespace {

// The pad's buttons, and steps beside them: a stick's axis moved (in SDL's order of axes), the pad
// pulled out or put back in, a window made active: another of the program's, the main window, the
// high-score window, a message box over it.
constexpr int A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B, X = SDL_CONTROLLER_BUTTON_X,
              Y = SDL_CONTROLLER_BUTTON_Y, Start = SDL_CONTROLLER_BUTTON_START,
              Back = SDL_CONTROLLER_BUTTON_BACK, DLeft = SDL_CONTROLLER_BUTTON_DPAD_LEFT,
              DRight = SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DUp = SDL_CONTROLLER_BUTTON_DPAD_UP,
              Guide = SDL_CONTROLLER_BUTTON_GUIDE;
enum Step { LeftX = 100, LeftY, RightX, Unplug, Plug, ToOther, ToMain, ToScores, ToBox };

struct GamepadTest : GameWindow {
  void SetUp() override {
    ASSERT_TRUE(pad.Running());
    scores.Attach(hs);
    scores.setModal(true);
    hs.OnPlay([this] { ++plays; });
    Do(ToMain, 0), Do(Plug, 0);
  }

  void Do(int step, int value) {
    if (step == Plug) {
      device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                         SDL_CONTROLLER_BUTTON_MAX, 0);
      joystick = SDL_JoystickOpen(device);
    } else if (step == Unplug) {
      SDL_JoystickClose(joystick), SDL_JoystickDetachVirtual(device);
    } else if (step >= ToOther) {
      QWidget* window = std::array<QWidget*, 4>{&other, &form, &scores, &box}[step - ToOther];
      if (step == ToBox) box.open();
      window->show();
      window->activateWindow();
      QCoreApplication::processEvents();
    } else if (step >= LeftX) {
      SDL_JoystickSetVirtualAxis(joystick, step - LeftX, static_cast<Sint16>(value));
    } else {
      SDL_JoystickSetVirtualButton(joystick, step, static_cast<Uint8>(value));
    }
    pad.Poll();
  }
  // The game's keys held (in the order of their codes), then its key-downs since the last look (<
  // left, > right, ~ the key left of 1, letters as themselves), then a ! for each press of the
  // high-score window's Play.
  std::string Seen() {
    static const std::map<int, char> names = {
        {key_code::Left, '<'}, {key_code::Right, '>'}, {key_code::B, 'B'}, {key_code::V, 'V'},
        {key_code::C, 'C'},    {key_code::X, 'X'},     {key_code::P, 'P'}, {key_code::Tilde, '~'}};
    std::string seen;
    for (const auto& [key, name] : names)
      if (form.Keys().IsDown(key)) seen += name;
    seen += '/';
    for (const char c : g.KeyBuffer)
      if (c != ' ') seen += names.at(static_cast<unsigned char>(c));
    g.KeyBuffer.clear();
    return seen + std::string(std::exchange(plays, 0), '!');
  }

  QWidget other;
  FakeDesk desk;
  Form2 scores{&form};
  QMessageBox box{QMessageBox::NoIcon, "", "", QMessageBox::Ok, &scores};
  HighScores hs{ScorePorts{desk, desk, desk, scores, "/opt/bin", "/opt/share"}};
  Gamepad pad{form, scores};  // its end ends SDL, and the virtual pad with it
  int plays = 0, device = -1;
  SDL_Joystick* joystick = nullptr;
};

// Legend: step (a button or the above), value, then what is seen (see Seen).
TEST_F(GamepadTest, TheGameSeesThePadAsTheKeysItKnowsInTheWindowThatIsActive) {
  // clang-format off
  const std::tuple<int, int, const char*> steps[] = {
      // each button: one key-down, its key held until let go; a button of nothing does nothing
      {A, 1, "B/B"}, {A, 0, "/"}, {B, 1, "V/V"}, {B, 0, "/"}, {X, 1, "C/C"}, {X, 0, "/"},
      {Y, 1, "X/X"}, {Y, 0, "/"}, {Start, 1, "P/P"}, {Start, 0, "/"}, {Back, 1, "~/~"},
      {Back, 0, "/"}, {DLeft, 1, "</<"}, {DLeft, 0, "/"}, {DRight, 1, ">/>"}, {DRight, 0, "/"},
      {Guide, 1, "/"}, {DUp, 1, "/"},
      // the left stick turns once pushed to 12000 and rests only back within 8000, either way
      {LeftX, 11999, "/"}, {LeftX, 12000, ">/>"}, {LeftX, 8001, ">/"}, {LeftX, 11999, ">/"},
      {LeftX, 8000, "/"}, {LeftX, -11999, "/"}, {LeftX, -12000, "</<"}, {LeftX, -8001, "</"},
      {LeftX, -8000, "/"}, {LeftX, 32767, ">/>"}, {LeftX, -10000, "/"}, {LeftX, 20000, ">/>"},
      {LeftX, -32768, "</<"}, {LeftY, 32767, "</"}, {RightX, 32767, "</"},
      // the d-pad and the stick hold the same key: it comes up when both let go
      {DLeft, 1, "</<"}, {LeftX, 0, "</"}, {DLeft, 0, "/"},
      // keys come up when the pad goes, or the main window loses the keyboard; an input held
      // since, or pressed while another window is active, is not pressed until pressed again,
      // nor holds a key that another input presses and lets go
      {A, 1, "B/B"}, {LeftX, -20000, "<B/<"}, {Unplug, 0, "/"}, {Plug, 0, "/"}, {Y, 1, "X/X"},
      {LeftX, 20000, ">X/>"}, {ToOther, 0, "/"}, {X, 1, "/"}, {ToMain, 0, "/"}, {B, 1, "V/V"},
      {Y, 0, "V/"}, {Y, 1, "VX/X"}, {DRight, 1, ">VX/>"}, {DRight, 0, "VX/"},
      // the high-score window takes only Play, from A or Start; nothing behind a message box
      {ToScores, 0, "/"}, {B, 0, "/"}, {B, 1, "/"}, {A, 1, "/!"}, {A, 0, "/"}, {ToMain, 0, "/"},
      {ToScores, 0, "/"}, {Start, 1, "/!"}, {Start, 0, "/"}, {ToMain, 0, "/"},
      {ToScores, 0, "/"}, {ToBox, 0, "/"}, {A, 1, "/"}};
  // clang-format on
  Seen();
  for (const auto& [step, value, seen] : steps) {
    Do(step, value);
    EXPECT_EQ(Seen(), seen) << "step " << step << " " << value;
  }
}

// Read by the poll's timer; only fire buttons repeat, and Start does not take the repeat from A.
TEST_F(GamepadTest, AHeldFireButtonRepeatsAfterADelayUntilLetGoOrTheFocusLeaves) {
  Seen();
  QElapsedTimer held;
  SDL_JoystickSetVirtualButton(joystick, A, 1), held.start();
  QTest::qWait(100);
  EXPECT_EQ(Seen(), "B/B") << "the timer polls a pad that is in";
  Do(Start, 1);
  QTest::qWait(300);
  const std::string early = Seen();
  // A machine too busy to wake in time cannot tell.
  EXPECT_TRUE(held.elapsed() >= 490 || early == "BP/P") << early << ": no repeat before the delay";
  std::string repeats;
  while (repeats.size() < 3 && held.elapsed() < 3000) QTest::qWait(20), repeats += Seen().substr(3);
  EXPECT_EQ(repeats, std::string(std::max<std::size_t>(repeats.size(), 3), 'B'));
  Do(A, 0);
  QTest::qWait(100);
  EXPECT_EQ(Seen(), "P/") << "let go";
  Do(A, 1), Do(ToOther, 0);
  QTest::qWait(600);
  EXPECT_EQ(Seen(), "/B") << "the focus left";
}

}  // namespace
}  // namespace flakmire::testing
