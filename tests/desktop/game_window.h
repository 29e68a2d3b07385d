// The game in its real main window, with Qt's event pump and cheat panel, on fake ports for the
// rest: the fixture of the desktop suites that play through the window.

#pragma once

#include <gtest/gtest.h>

#include <QtWidgets>

#include "desktop/form1.h"
#include "desktop/qt_ports.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/key_codes.h"
#include "game/startup.h"

namespace flakmire::testing {

struct GameWindow : ::testing::Test {
  GameWindow() { form.Attach(g), dialogs.Attach(g.cheats), ResetGame(g); }

  FakePorts fake;
  Form1 form;
  QtEventPump pump;
  QtDialogs dialogs{&form};
  Game g{Ports{fake, fake, form.Keys(), form, fake, pump, dialogs, fake, "."}};
};

// A key's press (or release) handed to the widget at once; `repeat` as when held down.
inline void Send(QObject* to, int key, bool repeat = false, QEvent::Type type = QEvent::KeyPress) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
  QCoreApplication::sendEvent(to, &event);
}

}  // namespace flakmire::testing
