// The main window around the game: keys reach it at the loop's yields, closing ends a tick.

#include "desktop/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "desktop/key_mapping.h"
#include "desktop/qt_ports.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/startup.h"

namespace flakmire {
namespace {

struct WindowTest : ::testing::Test {
  testing::FakePorts fake;  // all but the window, its keys and the event pump
  Form1 form;
  QtEventPump pump;
  Game g{Ports{fake, fake, form.Keys(), form, fake, pump, fake, fake, "."}};

  WindowTest() {
    form.Attach(g);
    ResetGame(g);
  }

  void Post(QEvent::Type type, int qtKey, bool autoRepeat = false) {
    QCoreApplication::postEvent(&form,
                                new QKeyEvent(type, qtKey, Qt::NoModifier, QString(), autoRepeat));
  }
};

TEST_F(WindowTest, KeysReachTheGameOnlyAtTheYieldsAndRepeatsArePresses) {
  Post(QEvent::KeyPress, Qt::Key_Right);
  RunFrame(g);  // frames 1 to 3 do not yield
  RunFrame(g);
  EXPECT_FALSE(form.Keys().IsDown(key_code::Right));
  RunFrame(g);
  RunFrame(g);  // the fourth does
  EXPECT_TRUE(form.Keys().IsDown(key_code::Right));
  EXPECT_EQ(g.KeyBuffer.back(), static_cast<char>(key_code::Right));

  const float angle = g.GunAngle;
  RunFrame(g);
  EXPECT_EQ(g.GunAngle, angle + 1) << "a held arrow turns the gun every frame";

  Post(QEvent::KeyRelease, Qt::Key_Right, true);  // a repeat's release: still held
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.Keys().IsDown(key_code::Right));
  Post(QEvent::KeyRelease, Qt::Key_Right);
  Post(QEvent::KeyPress, Qt::Key_B);
  Post(QEvent::KeyPress, Qt::Key_B, true);
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.Keys().IsDown(key_code::Right));
  EXPECT_EQ(g.KeyBuffer.substr(10), "BB") << "every repeat of a held key is a press";
}

TEST_F(WindowTest, ClosingEndsARunningTickAtOnce) {
  QTimer::singleShot(20, &form, [this] { form.close(); });
  Timer1_Timer(g);  // runs until the close arrives in a yield
  EXPECT_TRUE(g.Unloaded);
  const float clockAtClose = g.LevelClock;
  Timer1_Timer(g);
  Form_KeyDown(g, key_code::B);
  EXPECT_EQ(g.LevelClock, clockAtClose);
  EXPECT_EQ(g.FireKey, 0);
}

// The tilde key is the key left of 1 (scan code 49 on X11) whatever it carries ("^", "²"), or
// the character when there is no scan code.
TEST(KeyMapping, GameKeysHaveTheirCodesAndTildeIsTheKeyLeftOfOne) {
  for (auto [qt, scan, game] : {std::tuple{Qt::Key_Left, 0, key_code::Left},
                                {Qt::Key_Right, 0, key_code::Right},
                                {Qt::Key_B, 0, key_code::B},
                                {Qt::Key_S, 0, 'S'},
                                {Qt::Key_7, 0, '7'},
                                {Qt::Key_Space, 0, 32},
                                {Qt::Key_F5, 0, 116},
                                {Qt::Key_unknown, 0, 0},
                                {Qt::Key_AsciiCircum, 49, key_code::Tilde},
                                {Qt::Key_twosuperior, 49, key_code::Tilde},
                                {Qt::Key_QuoteLeft, 49, key_code::Tilde},
                                {Qt::Key_QuoteLeft, 21, 0},
                                {Qt::Key_AsciiTilde, 0, key_code::Tilde}}) {
    EXPECT_EQ(GameKeyCode(qt, scan), game) << qt << " " << scan;
  }
}

}  // namespace
}  // namespace flakmire
