// A gamepad without hardware: SDL's virtual controller presses buttons and moves the stick; the
// main window's key state and its key-downs follow, and the high-score window's play button.

#include "desktop/gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <QtWidgets>

#include "desktop/form1.h"
#include "desktop/form2.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/key_codes.h"
#include "game/startup.h"

namespace flakmire::testing {
namespace {

class GamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pad.Running());
    form.Attach(g);
    ResetGame(g);
    scores.Attach(hs);
    hs.OnPlay([this] { ++plays; });
    Activate(form);
    Plug();
  }
  void TearDown() override { Unplug(); }

  static void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) QCoreApplication::processEvents();
  }
  void Plug() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    device = SDL_JoystickAttachVirtualEx(&desc);
    joystick = SDL_JoystickOpen(device);
    pad.Poll();
  }
  void Unplug() {
    if (joystick == nullptr) return;
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
    joystick = nullptr;
    pad.Poll();
  }
  void Push(int button, bool down) {
    SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    pad.Poll();
  }
  void Tilt(int x, int axis = SDL_CONTROLLER_AXIS_LEFTX) {
    SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(x));
    pad.Poll();
  }
  // The game's keys, as the key buffer writes them: < left, > right, ~ the key left of 1.
  static char Name(int key) {
    return key == key_code::Left    ? '<'
           : key == key_code::Right ? '>'
           : key == key_code::Tilde ? '~'
                                    : static_cast<char>(key);
  }
  std::string Held() {
    std::string held;
    for (int key : {key_code::Left, key_code::Right, key_code::B, key_code::V, key_code::C,
                    key_code::X, key_code::P, key_code::Tilde}) {
      if (form.Keys().IsDown(key)) held += Name(key);
    }
    return held;
  }
  // The key-downs since the last call, oldest first (at most twelve).
  std::string Downs() {
    std::string downs;
    for (char c : g.KeyBuffer) {
      if (c != ' ') downs += Name(static_cast<unsigned char>(c));
    }
    g.KeyBuffer.clear();
    return downs;
  }
  static void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  FakePorts fake;
  Form1 form;
  Game g{Ports{fake, fake, form.Keys(), form, fake, fake, fake, fake, "."}};
  FakeDesk desk;
  Form2 scores{&form};
  HighScores hs{ScorePorts{desk, desk, desk, scores, "/opt/bin", "/opt/share"}};
  Gamepad pad{form, scores};
  int plays = 0;
  int device = -1;
  SDL_Joystick* joystick = nullptr;
};

TEST_F(GamepadTest, EachButtonIsOneKeyDownAndHoldsItsKeyUntilLetGo) {
  const std::pair<int, const char*> buttons[] = {
      {SDL_CONTROLLER_BUTTON_A, "B"},         {SDL_CONTROLLER_BUTTON_B, "V"},
      {SDL_CONTROLLER_BUTTON_X, "C"},         {SDL_CONTROLLER_BUTTON_Y, "X"},
      {SDL_CONTROLLER_BUTTON_START, "P"},     {SDL_CONTROLLER_BUTTON_BACK, "~"},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "<"}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, ">"},
      {SDL_CONTROLLER_BUTTON_GUIDE, ""},      {SDL_CONTROLLER_BUTTON_DPAD_UP, ""}};
  Downs();
  for (const auto& [button, key] : buttons) {
    Push(button, true);
    EXPECT_EQ(Held() + "," + Downs(), std::string(key) + "," + key) << "pressed " << button;
    Push(button, false);
    EXPECT_EQ(Held() + Downs(), "") << "let go " << button;
  }
}

// Legend: the stick's x, then the turning key held after it and the key-downs it made.
TEST_F(GamepadTest, TheStickTurnsPastTheDeadZoneAndRestsOnlyWellInsideIt) {
  const std::tuple<int, const char*, const char*> moves[] = {
      {11999, "", ""},  {12000, ">", ">"},  {8001, ">", ""},    {11999, ">", ""}, {8000, "", ""},
      {-11999, "", ""}, {-12000, "<", "<"}, {-8001, "<", ""},   {-8000, "", ""},  {32767, ">", ">"},
      {-10000, "", ""}, {20000, ">", ">"},  {-32768, "<", "<"}, {0, "", ""}};
  Downs();
  for (const auto& [x, held, downs] : moves) {
    Tilt(x);
    EXPECT_EQ(Held() + "," + Downs(), std::string(held) + "," + downs) << "x " << x;
  }
  // The d-pad and the stick hold the same key: it comes up when both let go.
  Push(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  Tilt(-20000);
  Push(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_EQ(Held(), "<");
  Tilt(0);
  Downs();
  for (int axis : {SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_RIGHTX}) Tilt(-32768, axis);
  EXPECT_EQ(Held() + Downs(), "") << "only the left stick's x turns";
}

TEST_F(GamepadTest, KeysComeUpWhenThePadGoesOrTheWindowLosesTheKeyboard) {
  Push(SDL_CONTROLLER_BUTTON_A, true);
  Tilt(-20000);
  Unplug();
  EXPECT_EQ(Held(), "") << "unplugged";

  Plug();
  Push(SDL_CONTROLLER_BUTTON_Y, true);
  QWidget other;
  Activate(other);
  EXPECT_EQ(Held(), "") << "another window has the keyboard";
  Downs();
  Push(SDL_CONTROLLER_BUTTON_X, true);
  Tilt(20000);
  EXPECT_EQ(Held() + Downs(), "") << "nothing reaches a window that is not active";
  Activate(form);
  Push(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_EQ(Held(), "V") << "buttons held since are not pressed again";
  Push(SDL_CONTROLLER_BUTTON_Y, false);
  Push(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_EQ(Held(), "VX") << "until they are";
}

TEST_F(GamepadTest, TheHighScoreWindowTakesOnlyPlayFromAOrStart) {
  for (int button :
       {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START}) {
    scores.setModal(true);
    Activate(scores);
    Downs();
    Push(button, true);
    EXPECT_EQ(plays, button == SDL_CONTROLLER_BUTTON_B ? 0 : 1) << button;
    EXPECT_EQ(Held() + Downs(), "") << button;
    plays = 0;
    scores.hide();
    Activate(form);
    Push(button, false);
  }
  // A message box over the high-score window, as the name prompt is: neither window gets it.
  scores.setModal(true);
  Activate(scores);
  QTimer::singleShot(0, [this] {
    Push(SDL_CONTROLLER_BUTTON_A, true);
    QApplication::activeModalWidget()->close();
  });
  QMessageBox(QMessageBox::NoIcon, "", "", QMessageBox::Ok, &scores).exec();
  EXPECT_EQ(plays + Held().size(), 0u) << "a message box is up";
}

// Auto-repeat: a held fire button repeats after a delay, as a held key does; other buttons don't,
// nor take the repeat from it.
TEST_F(GamepadTest, AHeldFireButtonRepeatsAfterADelayUntilLetGo) {
  Downs();
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
  Wait(100);
  EXPECT_EQ(Downs(), "B") << "the timer polls a pad that is in";
  Push(SDL_CONTROLLER_BUTTON_START, true);
  Wait(300);
  EXPECT_EQ(Downs(), "P") << "no repeat before the delay";
  Wait(250);
  const std::string repeats = Downs();
  EXPECT_GE(repeats.size(), 3u);
  EXPECT_EQ(repeats, std::string(repeats.size(), 'B'));
  Push(SDL_CONTROLLER_BUTTON_A, false);
  Wait(100);
  EXPECT_EQ(Downs(), "") << "let go";
  Push(SDL_CONTROLLER_BUTTON_A, true);
  QWidget other;
  Activate(other);
  Wait(600);
  EXPECT_EQ(Downs(), "B") << "the focus left";
}

}  // namespace
}  // namespace flakmire::testing
