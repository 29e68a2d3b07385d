#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "desktop/command_line.h"
#include "desktop/fluid_music.h"
#include "desktop/form1.h"
#include "desktop/form2.h"
#include "desktop/gamepad.h"
#include "desktop/qt_ports.h"
#include "desktop/score_ports.h"
#include "desktop/shell_keys.h"
#include "desktop/system_clock.h"
#include "desktop/tape_watcher.h"
#include "game/game.h"
#include "game/random_source.h"
#include "game/startup.h"
#include "scores/high_scores.h"
#include "scores/verify_tape.h"
#include "tapes/recorder.h"

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

// A tape's bytes; a file that is missing or cannot be read is told of on standard error.
std::optional<std::vector<std::uint8_t>> ReadTapeFile(const QString& path) {
  flakmire::FileRead file =
      flakmire::QtFileStore().ReadFile(path.toStdString(), flakmire::LongestTape);
  if (file.found && file.error.empty()) return std::move(file.bytes);
  const std::string why = file.found ? file.error : path.toStdString() + ": no such file";
  std::fprintf(stderr, "flakmire: the tape cannot be read: %s\n", why.c_str());
  return std::nullopt;
}

// --verify: the proof, with no window and no display; 0 when the tape proves its run, 1 when it
// does not, 2 when it is no tape to play.
int Verify(const QString& path) {
  const auto bytes = ReadTapeFile(path);
  if (!bytes) return 2;
  const flakmire::Verdict verdict = flakmire::VerifyTape(*bytes);
  const std::string text = "Tape " + path.toStdString() + "\n" + verdict.report;
  std::fputs(text.c_str(), verdict.exitCode == 2 ? stderr : stdout);
  return verdict.exitCode;
}

// --watch: the run on the tape in the main window, then the end of the program.
int Watch(const QString& path) {
  const auto bytes = ReadTapeFile(path);
  if (!bytes) return 2;
  const flakmire::TapeRead read = flakmire::ReadTape(*bytes);
  if (read.error != flakmire::TapeError::None) {
    std::fprintf(stderr, "flakmire: %s is no tape that Flakmire can play: %s.\n",
                 path.toLocal8Bit().constData(), read.detail.c_str());
    return 2;
  }
  flakmire::Form1 form;
  flakmire::TapeWatcher(form).Watch(*bytes);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace flakmire;
  CommandLine command;
  {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    command = ParseCommandLine(arguments);
    if (command.answered) {
      std::fputs(command.text.toLocal8Bit().constData(), command.status == 0 ? stdout : stderr);
      return command.status;
    }
  }
  if (!command.verify.isEmpty()) return Verify(command.verify);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Flakmire");
  // Lets a desktop match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(FLAKMIRE_APP_ID);
  if (!command.watch.isEmpty()) return Watch(command.watch);

  SystemClock clock;
  const auto seed =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  SeededRandom random(seed);
  // The high-score window's keys come from a source of their own: a save never moves the game's
  // draws, which a tape replays from the state it took at the run's start.
  SeededRandom scoreKeys(~seed);
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
  TapeWatcher watcher(form, music.Effects());
  HighScores highScores(
      ScorePorts{files, prompts, scoreKeys, form2, programFolder, dataFolder, watcher});
  form2.Attach(highScores);
  Gamepad gamepad(form, form2);

  // Every run is recorded on a tape, which the high-score window keeps once the run is over.
  TapeRecorder recorder(Ports{clock, random, form.Keys(), form, timers, pump, dialogs, music,
                              dataFolder, highScores, music.Effects()},
                        random);
  Game game(recorder.GamePorts());
  recorder.Attach(game);
  recorder.OnTape([&highScores](KeptTape tape) { highScores.TakeTape(std::move(tape)); });
  form.Attach(game);
  timers.Attach(game);
  dialogs.Attach(game.cheats, recorder);
  highScores.OnPlay([&game] { ResetGame(game); });
  ShellKeys shellKeys(game, form);
  shellKeys.OnSoundKey([&music] { music.SetMuted(!music.Muted()); });
  app.installEventFilter(&shellKeys);

  QTimer::singleShot(0, [&game] { Form_Load(game); });
  return QApplication::exec();
}
