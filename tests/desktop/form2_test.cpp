// The high-score window: layout, grid, keys and buttons, the name prompt, files in a real folder.

#include "desktop/form2.h"

#include <gtest/gtest.h>

#include <QtWidgets>

#include "desktop/score_ports.h"
#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

TEST(Form2, ShowsEveryPlaceCentredUnderItsHeadersAndAnswersItsKeysAndButtons) {
  FakeDesk desk;
  Form2 form;
  HighScores hs{ScorePorts{desk, desk, desk, form, "/opt/flakmire/bin", "/opt/flakmire/share"}};
  form.Attach(hs);
  bool hiddenFirst = false;
  hs.OnPlay([&form, &hiddenFirst] { hiddenFirst = !form.isVisible(); });
  desk.unwritable = {"/opt/flakmire/bin"};  // the files go elsewhere; the page stays put
  hs.SubmitScore(120, 3, 4, 95 / 86400.0, "");
  form.show();
  QCoreApplication::processEvents();  // the window asks for the new place's name once it is up
  EXPECT_EQ(desk.asked.size(), 1u);
  auto* grid = form.findChild<QTableWidget*>("FG1");
  QStringList looks = {form.windowTitle(), QString("%1x%2").arg(form.width()).arg(form.height())};
  for (int c = 0; c < 5; ++c) {
    looks << grid->horizontalHeaderItem(c)->text() + " " + QString::number(grid->columnWidth(c)) +
                 " " + grid->item(0, c)->text();
    for (int r = 0; r < 10; ++r) EXPECT_EQ(grid->item(r, c)->textAlignment(), Qt::AlignCenter);
  }
  QWidget* b = form.findChild<QPushButton*>("cmdPlay");  // then the others in tab order
  for (int i = 0; i < 3; ++i, b = b->nextInFocusChain()) looks << b->property("text").toString();
  EXPECT_EQ(looks.join(", ").toStdString(),
            "High Scores, 378x338, Score 54 120, Name 82 Ann, Killed By 86 Mortar, Level 54 4, "
            "Lasted 76 1 min 35 sec, &Play, Web &High Scores..., &Quit");
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(grid->geometry(), QRect(8, 8, 361, 289));
  EXPECT_LE(grid->rowViewportPosition(9) + grid->rowHeight(9), grid->viewport()->height());
  form.findChild<QPushButton*>("cmdSubmit")->click();
  EXPECT_EQ(desk.opened, std::vector<std::string>{"/opt/flakmire/share/WebHighScoreInfo.html"});
  for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &press);
    EXPECT_EQ(desk.ended, key == Qt::Key_Escape) << "Enter plays, Esc quits";
  }
  EXPECT_TRUE(hiddenFirst) << "play hides the window, then starts the run";
}

TEST(Form2, TheNamePromptGivesNothingOnCancelAndTheTableKeepsInARealFolder) {
  QtPrompts prompts(nullptr, [] {});
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(prompts.InputBox("Please enter your name.", "High Score: 5"), "") << "Cancel";

  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  QtFileStore files;
  FakeDesk desk;
  HighScores hs{ScorePorts{files, desk, desk, desk, folder, folder}}, again = hs;
  hs.SubmitScore(30, 1, 1, 0, "Bo");
  hs.SubmitScore(42, 1, 2, 0, "Ann");
  again.LoadIt1();
  EXPECT_EQ(again.Scores, hs.Scores);
  EXPECT_NE(files.ReadFile(folder, 10).error, "") << "a folder is no file";
  EXPECT_NE(files.ReplaceFile(folder + "/none/HighScores.dat", {}), "");
  EXPECT_TRUE(files.CanWriteIn(folder) && !files.CanWriteIn(folder + "/none"));
}

}  // namespace
}  // namespace flakmire::testing
