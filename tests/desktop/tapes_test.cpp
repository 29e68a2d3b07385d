// Watching tapes on the desktop: the main window plays a tape's run until a key or its close
// control, and gives the game back as it was; the high-score window watches a row with a tape on
// a double click or on Enter once the row is selected, and the last run on its small button.

#include <gtest/gtest.h>

#include <QtWidgets>
#include <chrono>
#include <fstream>
#include <iterator>

#include "desktop/form1.h"
#include "desktop/form2.h"
#include "desktop/tape_watcher.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/startup.h"

namespace flakmire::testing {
namespace {

// A tape of a run of 95 s, kept with the tape tests.
Bytes KeptTape() {
  std::ifstream in(FLAKMIRE_TAPE_FILES "/first_run.tape", std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), {}};
}

TEST(TapeWatcher, PlaysATapeInTheMainWindowUntilAKeyOrTheCloseControl) {
  FakePorts fake;
  Form1 form;
  Game g{Ports{fake, fake, form.Keys(), form, fake, fake, fake, fake, "."}};
  form.Attach(g);
  ResetGame(g);
  form.show();
  QStringList seen;
  // The run shows for half a second, then the player stops it: with a key, then with the close
  // control.
  for (const bool close : {false, true}) {
    form.setWindowTitle("Flakmire  Level: 3");
    QTimer::singleShot(500, [&] {
      seen << form.windowTitle();
      // The run's gunner turns left from the start; the game's barrel leans right.
      const QImage shot = form.grab().toImage();
      int barrel = 0;
      for (int x = 370; x < 392; ++x) {
        for (int y = 395; y < 420; ++y) barrel += shot.pixelColor(x, y) == QColor(128, 192, 192);
      }
      seen << (barrel > 20 ? "the tape's run" : "the game");
      if (close) return void(form.close());
      QCoreApplication::postEvent(&form,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier));
    });
    const auto start = std::chrono::steady_clock::now();
    TapeWatcher(form).Watch(KeptTape());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << close;
    seen << form.windowTitle() + (form.isVisible() ? "" : " gone");
  }
  EXPECT_EQ(
      seen.join(" | ").toStdString(),
      "Flakmire  Level: 1   (a tape: any key stops it) | the tape's run | Flakmire  Level: 3 | "
      "Flakmire  Level: 1   (a tape: any key stops it) | the tape's run | Flakmire  Level: 3");
  EXPECT_TRUE(g.KeyBuffer.empty() && !g.Unloaded) << "the game heard nothing of it";
}

// Seen after each of the player's steps: whether the window was hidden for a tape to be watched
// ("tape"), for a new run ("play"), or stayed ("stays").
TEST(Form2, WatchesARowWithATapeOnEnterOrADoubleClickAndTheLastRunOnItsButton) {
  FakeDesk desk;
  Form2 form;
  HighScores hs{ScorePorts{desk, desk, desk, form, "/opt/flakmire", "/opt"}};
  form.Attach(hs);
  bool played = false;
  hs.OnPlay([&played] { played = true; });
  hs.SubmitScore(70, 2, 3, 60 / 86400.0, "Ann");
  hs.SubmitScore(60, 2, 3, 60 / 86400.0, "Bo");
  auto* lastRun = form.findChild<QPushButton*>("cmdLastRun");
  EXPECT_FALSE(lastRun->isEnabled()) << "no last run's tape found yet";
  Tape tape;
  tape.claim = {70, 3, 2, 60 / 86400.0, false};
  desk.files["/opt/flakmire/Place1.tape"] = desk.files["/opt/flakmire/LastRun.tape"] =
      WriteTape(tape);
  auto* grid = form.findChild<QTableWidget*>("FG1");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  const std::function<void()> steps[] = {
      [&] { emit grid->cellDoubleClicked(1, 0); },  // the second place has no tape
      [&] { emit grid->cellDoubleClicked(0, 0); },
      [&] {
        grid->selectRow(1),
            QCoreApplication::sendEvent(form.findChild<QPushButton*>("cmdPlay"), &enter);
      },
      [&] {
        grid->selectRow(0),
            QCoreApplication::sendEvent(form.findChild<QPushButton*>("cmdPlay"), &enter);
      },
      [&] { lastRun->click(); },
  };
  QStringList seen;
  for (const auto& step : steps) {
    form.show(), played = false;
    QCoreApplication::processEvents();  // the window finds its tapes as it shows
    step();
    seen << (form.isVisible() ? "stays" : played ? "play" : "tape");
  }
  EXPECT_EQ(seen.join(" ").toStdString(), "stays tape play tape tape");
  // The small button sits left of Play, level with the buttons, clear of every other control.
  EXPECT_EQ(lastRun->geometry(), QRect(8, 304, 36, 25));
  EXPECT_EQ(lastRun->text(), "&Last");
  for (const QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(w == lastRun || !w->geometry().intersects(lastRun->geometry()));
  }
}

}  // namespace
}  // namespace flakmire::testing
