#include <QApplication>
#include <QTimer>
#include <chrono>

#include "desktop/fluid_music.h"
#include "desktop/form1.h"
#include "desktop/qt_ports.h"
#include "desktop/system_clock.h"
#include "game/game.h"
#include "game/random_source.h"
#include "game/startup.h"

int main(int argc, char** argv) {
  using namespace flakmire;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Flakmire");

  SystemClock clock;
  SeededRandom random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  Form1 form;
  QtTimers timers;
  QtEventPump pump;
  QtDialogs dialogs;
  FluidMusic music;
  Game game(Ports{clock, random, form.Keys(), form, timers, pump, dialogs, music,
                  QCoreApplication::applicationDirPath().toStdString()});
  form.Attach(game);
  timers.Attach(game);

  QTimer::singleShot(0, [&game] { Form_Load(game); });
  return QApplication::exec();
}
