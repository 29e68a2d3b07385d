// The main window around the game: keys reach it at the loop's yields. That closing it ends the
// program at once, tests/e2e/playfield.sh shows on the real window.

#include "desktop/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "desktop/key_mapping.h"
#include "desktop/qt_ports.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/key_codes.h"
#include "game/startup.h"

namespace flakmire {
namespace {

TEST(Form1, KeysReachTheGameOnlyAtTheYieldsAndRepeatsArePresses) {
  testing::FakePorts fake;  // all but the window, its keys and the event pump
  Form1 form;
  QtEventPump pump;
  Game g{Ports{fake, fake, form.Keys(), form, fake, pump, fake, fake, "."}};
  form.Attach(g);
  ResetGame(g);
  const auto post = [&form](QEvent::Type type, int qtKey, bool autoRepeat = false) {
    QCoreApplication::postEvent(&form,
                                new QKeyEvent(type, qtKey, Qt::NoModifier, QString(), autoRepeat));
  };
  post(QEvent::KeyPress, Qt::Key_Right);
  RunFrame(g);  // frames 1 to 3 do not yield
  RunFrame(g);
  EXPECT_FALSE(form.Keys().IsDown(key_code::Right));
  RunFrame(g);
  RunFrame(g);  // the fourth does
  EXPECT_TRUE(form.Keys().IsDown(key_code::Right));
  EXPECT_EQ(g.KeyBuffer.back(), static_cast<char>(key_code::Right));

  post(QEvent::KeyRelease, Qt::Key_Right, true);  // a repeat's release: still held
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.Keys().IsDown(key_code::Right));
  post(QEvent::KeyRelease, Qt::Key_Right);
  post(QEvent::KeyPress, Qt::Key_B);
  post(QEvent::KeyPress, Qt::Key_B, true);
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.Keys().IsDown(key_code::Right));
  EXPECT_EQ(g.KeyBuffer.substr(10), "BB") << "every repeat of a held key is a press";
}

// The tilde key is the key left of 1 (scan code 49 on X11) whatever it carries ("^", "²"), or
// the character when there is no scan code.
TEST(KeyMapping, GameKeysHaveTheirCodesAndTildeIsTheKeyLeftOfOne) {
  // Letters and arrows: the test above.
  for (auto [qt, scan, game] : {std::tuple{Qt::Key_Space, 0, 32},
                                {Qt::Key_7, 0, '7'},
                                {Qt::Key_F5, 0, 116},
                                {Qt::Key_unknown, 0, 0},
                                {Qt::Key_AsciiCircum, 49, key_code::Tilde},
                                {Qt::Key_QuoteLeft, 49, key_code::Tilde},
                                {Qt::Key_QuoteLeft, 21, 0},
                                {Qt::Key_AsciiTilde, 0, key_code::Tilde}}) {
    EXPECT_EQ(GameKeyCode(qt, scan), game) << qt << " " << scan;
  }
}

}  // namespace
}  // namespace flakmire
