#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "desktop/command_line.h"
#include "desktop/fluid_music.h"
#include "desktop/form1.h"
#include "desktop/form2.h"
#include "desktop/gamepad.h"
#include "desktop/qt_ports.h"
#include "desktop/score_ports.h"
#include "desktop/shell_keys.h"
#include "desktop/system_clock.h"
#include "game/game.h"
#include "game/random_source.h"
#include "game/startup.h"
#include "scores/high_scores.h"

namespace {

// The tune and the page lie beside the program in a build, and in the data folder of the same
// prefix once installed, wherever the prefix is and whatever the current folder.
std::string DataFolder(const QString& programFolder) {
  const QString installed = QDir::cleanPath(programFolder + "/" FLAKMIRE_DATA_FROM_PROGRAM);
  for (const QString& folder : {programFolder, installed}) {
    if (QFileInfo::exists(folder + "/dropling.mid")) return folder.toStdString();
  }
  return programFolder.toStdString();  // where the music port will say what is missing
}

}  // namespace

int main(int argc, char** argv) {
  using namespace flakmire;
  {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = ParseCommandLine(arguments);
    if (command.answered) {
      std::fputs(command.text.toLocal8Bit().constData(), command.status == 0 ? stdout : stderr);
      return command.status;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Flakmire");
  // Lets a desktop match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(FLAKMIRE_APP_ID);

  SystemClock clock;
  SeededRandom random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  Form1 form;
  QtTimers timers;
  QtEventPump pump;
  QtDialogs dialogs(&form);
  FluidMusic music;
  const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
  const std::string dataFolder = DataFolder(QCoreApplication::applicationDirPath());

  // The high-score window; ending the program from it closes the main window, as its own close
  // button does.
  Form2 form2(&form);
  QtFileStore files;
  QtPrompts prompts(&form2, [&form] { form.close(); });
  HighScores highScores(ScorePorts{files, prompts, random, form2, programFolder, dataFolder});
  form2.Attach(highScores);
  Gamepad gamepad(form, form2);

  Game game(Ports{clock, random, form.Keys(), form, timers, pump, dialogs, music, dataFolder,
                  highScores, music.Effects()});
  form.Attach(game);
  timers.Attach(game);
  dialogs.Attach(game.cheats);
  highScores.OnPlay([&game] { ResetGame(game); });
  ShellKeys shellKeys(game, form);
  shellKeys.OnSoundKey([&music] { music.SetMuted(!music.Muted()); });
  app.installEventFilter(&shellKeys);

  QTimer::singleShot(0, [&game] { Form_Load(game); });
  return QApplication::exec();
}
