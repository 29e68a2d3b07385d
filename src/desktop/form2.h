#pragma once

#include <QDialog>
#include <array>

#include "ports/score_view.h"

class QPushButton;
class QTableWidget;

namespace flakmire {

class HighScores;

// The high-score window: the table in its grid and the three buttons, whose clicks and whose
// showing it hands to the high-score rules. A row whose run has a tape can be watched: a double
// click, or Enter once it is selected; a small button beside Quit watches the last run.
class Form2 final : public QDialog, public ScoreView {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  void Attach(HighScores& highScores) { highScores_ = &highScores; }
  // The play button, pressed from elsewhere than the keyboard or the mouse (a gamepad).
  void PressPlay();

  // ScoreView
  void ShowGrid(const ScoreGrid& grid) override;
  void Hide() override { hide(); }
  void ShowModal() override { exec(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const char* caption, QRect place);

  HighScores* highScores_ = nullptr;
  QTableWidget* FG1;
  QPushButton* cmdPlay;
  QPushButton* cmdSubmit;
  QPushButton* cmdQuit;
  QPushButton* cmdLastRun;
  std::array<bool, ScoreGrid::Rows> tapes_{};
};

}  // namespace flakmire
