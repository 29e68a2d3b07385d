// The one table of controls: the keys reach the game with the codes the rules know, and F1 shows
// the table's rows, with the shots' costs, over whichever window is active, pausing a run in play.
// The command line: --help and --version answer and end the program well, anything else is
// refused with a word on what and status 1, and no argument plays.

#include "desktop/controls.h"

#include "desktop/command_line.h"
#include "desktop/help_page.h"
#include "desktop/key_mapping.h"
#include "desktop/shell_keys.h"
#include "game/pause.h"
#include "game_window.h"

namespace flakmire::testing {
namespace {

// Whatever scan code a key has; but the key left of 1 by its place (scan code 49 on X11) whatever
// it carries ("^", "²"), and by its character only where there are no scan codes.
TEST(Controls, EveryKeyReachesTheGameWithItsCode) {
  using namespace key_code;
  // clang-format off
  const std::tuple<int, int, int> keys[] = {
      {Qt::Key_Left, 113, Left}, {Qt::Key_Right, 114, Right}, {Qt::Key_B, 56, B},
      {Qt::Key_V, 55, V}, {Qt::Key_C, 54, C}, {Qt::Key_X, 53, X}, {Qt::Key_P, 33, P},
      {Qt::Key_Pause, 127, Pause}, {Qt::Key_Enter, 104, 13}, {Qt::Key_Escape, 9, 27},
      {Qt::Key_F1, 67, 112}, {Qt::Key_Space, 0, 32}, {Qt::Key_7, 0, '7'}, {Qt::Key_F5, 0, 116},
      {Qt::Key_unknown, 0, 0}, {Qt::Key_AsciiCircum, 49, Tilde}, {Qt::Key_QuoteLeft, 21, 0},
      {Qt::Key_AsciiTilde, 0, Tilde}};
  // clang-format on
  for (const auto& [qt, scan, game] : keys) EXPECT_EQ(GameKeyCode(qt, scan), game) << qt << scan;
}

// F1 in play: the page opens over the active window and the run pauses ("PAUSED", the tick off)
// until F1 closes it again; F1 held down does not. Then the player pauses with P: F1 and Esc leave
// that pause alone. On the page: every row of the table, and the shots' costs from the rules.
TEST_F(GameWindow, HelpShowsEveryRowAndPausesARunInPlayUntilItCloses) {
  ShellKeys shellKeys(g, form);
  qApp->installEventFilter(&shellKeys);
  std::string seen;
  const auto note = [&] {
    seen += std::string(g.Paused ? "paused" : "running") + (g.scene.lblPaused.Visible ? "+" : "") +
            (fake.enabled[TimerId::Timer1] ? " " : " off ");
  };
  QStringList page;  // every cell in order, a heading alone
  for (int closer : {Qt::Key_F1, Qt::Key_F1, Qt::Key_Escape}) {
    if (closer == Qt::Key_Escape) TogglePause(g);
    QTimer::singleShot(0, [&] {
      QWidget* help = QApplication::activeModalWidget();
      page.clear();
      for (const QLabel* cell : help->findChildren<QLabel*>()) page << cell->text();
      note();
      Send(help, Qt::Key_F1, true);
      seen += QApplication::activeModalWidget() == help ? "" : "closed by a repeat ";
      Send(help, closer);
    });
    Send(&form, Qt::Key_F1);
    note();
  }
  // N switches all sound once a press, whichever widgets it passes, and goes on to the game; held
  // down, or typed into a box, it does not switch. Seen last: the switches, the keys the game
  // heard.
  int switched = 0;
  shellKeys.OnSoundKey([&switched] { ++switched; });
  QWidget window;
  QLineEdit name;
  Send(&form, Qt::Key_N), Send(&form, Qt::Key_N, true);
  Send(new QPushButton(&window), Qt::Key_N), Send(&name, Qt::Key_N);
  EXPECT_EQ(seen + std::to_string(switched) + " switches " + g.KeyBuffer.substr(10),
            "paused+ off running paused+ off running paused+ off paused+ off 2 switches NN");

  const QString cells = page.join('|');
  for (const Control& c : Controls()) {
    const std::string row = std::string(c.keyName) + "|" + std::string(c.padName) + "|" +
                            CostText(c) + "|" + std::string(c.does);
    EXPECT_EQ(cells.count(QString::fromStdString(row)), 1) << row;
  }
  for (const char* cost :
       {"|B|A|1 point|", "|V|B|2 points|", "|C|X|40 points|", "|X|Y|100 points|"})
    EXPECT_TRUE(cells.contains(cost)) << cost;
  EXPECT_TRUE(cells.contains("Anywhere|F1|")) << "rows under the heading of where they work";
}

// Each row: the arguments, the status, what the answer says. (--help, --version and an unknown
// option on the installed program, without a display: tests/e2e/installed.sh.)
TEST(CommandLine, AnswersHelpAndVersionAndRefusesAnythingElse) {
  const std::tuple<QStringList, int, const char*> rows[] = {
      {{"flakmire", "-h"}, 0, "  -v, --version    Show the version and end.\n"},
      {{"flakmire", "--version"}, 0, "Flakmire " FLAKMIRE_VERSION "\n"},
      {{"flakmire", "--help", "-x"}, 1, "flakmire: Unknown option 'x'."},
      {{"flakmire", "scores.dat"}, 1, "flakmire: Unexpected argument 'scores.dat'"},
      {{"flakmire", "--verify"}, 1, "flakmire: Missing value after '--verify'."},
      {{"flakmire", "--verify", "a", "--watch", "b"}, 1, "one tape at a time"},
  };
  for (const auto& [arguments, status, says] : rows) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_TRUE(line.answered && line.status == status && line.text.contains(says))
        << arguments.join(' ').toStdString() << ": " << line.text.toStdString();
  }
  EXPECT_FALSE(ParseCommandLine({"flakmire"}).answered) << "no argument: play";
  const CommandLine verify = ParseCommandLine({"flakmire", "--verify", "a b.tape"});
  const CommandLine watch = ParseCommandLine({"flakmire", "--watch=LastRun.tape"});
  EXPECT_EQ((QStringList{verify.verify, verify.watch, watch.verify, watch.watch}),
            (QStringList{"a b.tape", "", "", "LastRun.tape"}));
}

}  // namespace
}  // namespace flakmire::testing
