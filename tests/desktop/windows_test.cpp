// The game's windows. The main window: keys reach the game at the loop's yields, and a tape's run
// plays in it. (On the real window: that closing it ends the program at once, in
// tests/e2e/playfield.sh; the cheat word, full screen and the pause when the keyboard leaves the
// game, in cheats.sh, full_screen.sh and focus.sh.)
// The high-score window: layout, grid, keys and buttons, its boxes' places, the name prompt, the
// rows with tapes. The cheat panel: its layout and captions, and its boxes over the switches.

#include <QTest>

#include "desktop/form2.h"
#include "desktop/frm_cheat.h"
#include "desktop/score_ports.h"
#include "desktop/tape_watcher.h"
#include "game/game_loop.h"
#include "game_window.h"

namespace flakmire::testing {
namespace {

// Keys reach the game only at the loop's yields, and every repeat of a held key is a press. Seen
// after each step: whether Right is held; then the last keys the game heard.
TEST_F(GameWindow, KeysReachTheGameOnlyAtTheYieldsAndEveryRepeatIsAPress) {
  const auto post = [this](int key, bool repeat = false, QEvent::Type type = QEvent::KeyPress) {
    QCoreApplication::postEvent(&form, new QKeyEvent(type, key, Qt::NoModifier, QString(), repeat));
  };
  std::string seen;
  const auto look = [&] { seen += form.Keys().IsDown(key_code::Right) ? "held " : "up "; };
  post(Qt::Key_Right);
  RunFrame(g), RunFrame(g), RunFrame(g), look();  // frames 1 to 3 do not yield
  RunFrame(g), look();                            // the fourth does
  post(Qt::Key_Right, true, QEvent::KeyRelease);  // a repeat's release: still held
  QCoreApplication::processEvents(), look();
  post(Qt::Key_Right, false, QEvent::KeyRelease), post(Qt::Key_B), post(Qt::Key_B, true);
  QCoreApplication::processEvents(), look();
  EXPECT_EQ(seen + g.KeyBuffer.substr(9), "up held held up 'BB");
}

// The death's window comes 2.5 s after it, not earlier, and the pointer goes after 4 s of rest (a
// loaded machine may be late).
TEST(QtTimers, TheHighScoresComeTwoAndAHalfSecondsAfterTheDeathAndThePointerGoesAfterFour) {
  FakePorts fake;
  Game g{fake.ports()};
  QtTimers timers;
  timers.Attach(g);  // the pointer's timer runs from the start
  timers.SetEnabled(TimerId::tmrDead, true);
  QElapsedTimer death;
  death.start();
  const auto when = [&death](auto seen) { return QTest::qWaitFor(seen) ? death.elapsed() : -1; };
  const qint64 shown = when([&fake] { return fake.modals > 0; });
  const qint64 hidden = when([&fake] { return fake.pointer == Pointer::Hidden; });
  EXPECT_TRUE(shown >= 2495 && shown < 3100) << shown << " ms";
  EXPECT_TRUE(hidden >= 3995 && hidden < 4600) << hidden << " ms";
}

// The run shows for half a second, then the player stops it: with a key, then with the close
// control; the game comes back as it was.
TEST_F(GameWindow, PlaysATapeUntilAKeyOrTheCloseControl) {
  QFile kept(FLAKMIRE_TAPE_FILES "/first_run.tape");  // a run of 95 s, kept with the tape tests
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  const QByteArray tape = kept.readAll();
  form.show();
  QStringList seen;
  for (const bool close : {false, true}) {
    form.setWindowTitle("Flakmire  Level: 3");
    QTimer::singleShot(500, [&] {
      seen << form.windowTitle();
      // The run's gunner turns left from the start; the game's barrel leans right.
      const QImage shot = form.grab().toImage();
      int barrel = 0;
      for (int x = 370; x < 392; ++x)
        for (int y = 395; y < 420; ++y) barrel += shot.pixelColor(x, y) == QColor(128, 192, 192);
      seen << (barrel > 20 ? "the tape's run" : "the game");
      if (close) return void(form.close());
      Send(&form, Qt::Key_B);
    });
    QElapsedTimer watched;
    watched.start(), TapeWatcher(form).Watch(Bytes(tape.begin(), tape.end()));
    EXPECT_LT(watched.elapsed(), 10000) << close;
    seen << form.windowTitle() + (form.isVisible() ? "" : " gone");
  }
  const std::string once =
      "Flakmire  Level: 1   (a tape: any key stops it) | the tape's run | Flakmire  Level: 3";
  EXPECT_EQ(seen.join(" | ").toStdString(), once + " | " + once);
  EXPECT_TRUE(g.KeyBuffer.empty() && !g.Unloaded) << "the game heard nothing of it";
}

// What the player sees of a window: its title and largest size; then of each control its caption,
// place, size, font size and look, "x" when ticked.
QStringList Looks(const QWidget& window) {
  QStringList looks = {QString::asprintf("%s %dx%d", qPrintable(window.windowTitle()),
                                         window.maximumWidth(), window.maximumHeight())};
  for (const QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect r = w->geometry();
    looks << QString::asprintf(
        "%s %d,%d %dx%d %g%s%s%s", qPrintable(w->property("text").toString()), r.x(), r.y(),
        r.width(), r.height(), w->font().pointSizeF(),
        w->property("alignment").toInt() == Qt::AlignCenter ? " centred" : "",
        w->property("wordWrap").toBool() ? " wrapped" : "",
        w->isVisible() ? (w->property("checked").toBool() ? " x" : "") : " hidden");
  }
  return looks;
}

// The high-score window on a fake desk, the program in /opt/flakmire/bin.
struct ScoreWindow : ::testing::Test {
  ScoreWindow() { form.Attach(hs); }
  FakeDesk desk;
  Form2 form;
  HighScores hs{ScorePorts{desk, desk, desk, form, "/opt/flakmire/bin", "/opt/flakmire/share"}};
  QTableWidget* grid = form.findChild<QTableWidget*>("FG1");
  QPushButton* lastRun = form.findChild<QPushButton*>("cmdLastRun");
};

TEST_F(ScoreWindow, ShowsEveryPlaceCentredUnderItsHeadersAndAnswersItsKeysAndButtons) {
  bool hiddenFirst = false;
  hs.OnPlay([this, &hiddenFirst] { hiddenFirst = !form.isVisible(); });
  desk.unwritable = {"/opt/flakmire/bin"};  // the files go elsewhere; the page stays put
  hs.SubmitScore(120, 3, 4, 95 / 86400.0, "");
  form.show();
  QCoreApplication::processEvents();  // the window asks for the new place's name once it is up
  EXPECT_EQ(desk.asked.size(), 1u);
  QStringList looks = Looks(form);
  for (int c = 0; c < 5; ++c) {
    looks << grid->horizontalHeaderItem(c)->text() + " " + QString::number(grid->columnWidth(c)) +
                 " " + grid->item(0, c)->text();
    for (int r = 0; r < 10; ++r) EXPECT_EQ(grid->item(r, c)->textAlignment(), Qt::AlignCenter);
  }
  // Every control in its place, clear of the others: the small button for the last run left of
  // Play, level with the buttons, the hint at the keys right of them. Then Play and the others in
  // tab order.
  QWidget* b = form.findChild<QPushButton*>("cmdPlay");
  for (int i = 0; i < 3; ++i, b = b->nextInFocusChain()) looks << b->property("text").toString();
  const QLabel* hint = form.findChild<QLabel*>("lblHelp");
  EXPECT_EQ(looks.join(", ").toStdString(),
            "High Scores 378x338,  8,8 361x289 8.25, &Play 48,304 65x25 8.25, Web &High Scores... "
            "120,304 129x25 8.25, &Quit 256,304 65x25 8.25, F1: keys 323,304 52x25 8.25 centred, "
            "&Last 8,304 36x25 8.25, Score 54 120, Name 82 Ann, Killed By 86 Mortar, Level 54 4, "
            "Lasted 76 1 min 35 sec, &Play, Web &High Scores..., &Quit");
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  // The hint at the keys shows whole.
  EXPECT_LE(hint->fontMetrics().horizontalAdvance(hint->text()), hint->width());
  EXPECT_LE(grid->rowViewportPosition(9) + grid->rowHeight(9), grid->viewport()->height());
  form.findChild<QPushButton*>("cmdSubmit")->click();
  EXPECT_EQ(desk.opened, std::vector<std::string>{"/opt/flakmire/share/WebHighScoreInfo.html"});
  Send(&form, Qt::Key_Return);  // Enter plays; Esc quits, as tests/e2e/quit.sh shows
  EXPECT_TRUE(hiddenFirst && !desk.ended) << "play hides the window, then starts the run";
}

// Seen after each of the player's steps: whether the window was hidden for a tape to be watched
// ("tape"), for a new run ("play"), or stayed ("stays"). A row is watched on a double click, or on
// Enter once selected; the last run on the small button.
TEST_F(ScoreWindow, WatchesARowWithATapeOnEnterOrADoubleClickAndTheLastRunOnItsButton) {
  bool played = false;
  hs.OnPlay([&played] { played = true; });
  hs.SubmitScore(70, 2, 3, 60 / 86400.0, "Ann");
  hs.SubmitScore(60, 2, 3, 60 / 86400.0, "Bo");
  EXPECT_FALSE(lastRun->isEnabled()) << "no last run's tape found yet";
  Tape tape;
  tape.claim = {70, 3, 2, 60 / 86400.0, false};
  desk.files["/opt/flakmire/bin/Place1.tape"] = desk.files["/opt/flakmire/bin/LastRun.tape"] =
      WriteTape(tape);
  QWidget* play = form.findChild<QPushButton*>("cmdPlay");
  const std::function<void()> steps[] = {
      [&] { emit grid->cellDoubleClicked(1, 0); },  // the second place has no tape
      [&] { emit grid->cellDoubleClicked(0, 0); },
      [&] { grid->selectRow(1), Send(play, Qt::Key_Return); },
      [&] { grid->selectRow(0), Send(play, Qt::Key_Return); },
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
}

// Seen of each box: "centred" over its window, "kept on the screen" or not; the name prompt's text
// as it opens, then its answer. The high-score window's boxes open over the main window while it is
// hidden (at start-up), then over itself, and stay on the screen when it is at the screen's edge.
// The name prompt gives nothing on Cancel, and what was typed composed.
TEST(Form2, BoxesOpenCentredOverTheirWindowAndTheNamePromptGivesWhatWasTyped) {
  Form1 form1;
  Form2 form2(&form1);
  QtPrompts prompts(&form2, [] {});
  form1.show();
  std::string seen;
  const auto box = [&seen](const QWidget* over, const char* typed = nullptr) {
    QTimer::singleShot(0, [&seen, over, typed] {
      QWidget* box = QApplication::activeModalWidget();
      const bool on = box->screen()->availableGeometry().contains(box->geometry());
      const bool centred = box->geometry().center() == over->geometry().center();
      seen += !on ? "off the screen " : centred ? "centred " : "kept on the screen ";
      auto* input = qobject_cast<QInputDialog*>(box);
      if (input != nullptr) seen += input->textValue().toStdString() + " ";
      if (typed == nullptr) return void(box->close());
      input->setTextValue(QString::fromUtf8(typed)), input->accept();
    });
  };
  box(&form1), prompts.MessageBox("Oh dear.", MessageButtons::YesNo, "Naughty");
  box(&form1), seen += prompts.InputBox("Please enter your name.", "60", "Łukasz") + "; ";
  form2.show(), form2.move(200, 100);
  box(&form2, "Zoe\u0308"), seen += prompts.InputBox("Please enter your name.", "60", "") + "; ";
  form2.move(form2.screen()->availableGeometry().bottomRight());
  box(&form2), prompts.MessageBox("The high scores could not be saved.", {}, "High Scores");
  EXPECT_EQ(seen, "centred centred Łukasz ; centred  Zoë; kept on the screen ");
}

// Opened with Rapid Fire on from an earlier opening in the run. Seen: the window, as large as it
// may grow; its label and boxes, each with its caption, place, size, font and look, "x" when
// ticked; then the switches as it opens, after a click that ticks Big Explosions and after one
// that clears it again.
TEST(frmCheat, ShowsTheSwitchesOnItsBoxesWhoseClicksSwitchAtOnceAndMarksTheRunAsItOpens) {
  Cheats cheats;
  cheats.Set(Cheat::RapidFire, true);
  frmCheat panel(cheats);
  panel.show();
  QStringList looks = Looks(panel);
  for (int clicks = 0; clicks < 3; ++clicks) {
    if (clicks > 0) panel.findChild<QCheckBox*>("chkCheats3")->click();
    looks << "";
    for (int i = 0; i < CheatCount; ++i) looks.back() += cheats[static_cast<Cheat>(i)] ? '1' : '0';
  }
  EXPECT_EQ(looks.join(", ").toStdString(),
            "Cheats 262x348, Cheaters Don't Win 8,8 241x89 30 centred wrapped,  "
            "32,40 178x24 13.5 hidden, Jumping Castle 48,120 178x24 13.5, No Parachutes 48,152 "
            "178x24 13.5, Big Explosions 48,184 178x24 13.5, One Hit Wonders 48,216 178x24 13.5, "
            "Invincibility 48,248 178x24 13.5, FREE 48,280 178x24 13.5, Rapid Fire 48,312 178x24 "
            "13.5 x, 10000001, 10010001, 10000001");
}

}  // namespace
}  // namespace flakmire::testing

// The desktop suites need a QApplication; they run on the offscreen platform, also when CTest
// lists the tests at build time, without a display: a screen of 1920 x 1200, where a full screen
// doubles the playfield.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" FLAKMIRE_OFFSCREEN_SCREEN);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
