#include "desktop/form2.h"

#include <QBrush>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "desktop/controls.h"
#include "scores/high_scores.h"

namespace flakmire {

namespace {
constexpr int ClientWidth = 378;
constexpr int ClientHeight = 338;
constexpr QRect GridPlace(8, 8, 361, 289);
constexpr int RowHeight = 26;  // eleven rows fill the grid without a scroll bar
constexpr qreal PointSize = 8.25;
// Right of the quit button, where it moves none of the window's controls.
constexpr QRect HelpHintPlace(323, 304, 52, 25);
// In the free corner left of Play, level with the buttons and flush with the grid's left edge.
constexpr QRect LastRunPlace(8, 304, 36, 25);
const QColor WatchableText(0, 0, 160);  // the rows whose run can be watched

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
}  // namespace

Form2::Form2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle("High Scores");
  setFixedSize(ClientWidth, ClientHeight);
  // The grid's widths were made for a small, narrow face: a condensed one fits them.
  QFont font = this->font();
  font.setPointSizeF(PointSize);
  font.setStretch(QFont::SemiCondensed);
  setFont(font);

  FG1 = new QTableWidget(ScoreGrid::Rows - 1, ScoreGrid::Columns, this);
  FG1->setObjectName("FG1");
  FG1->setGeometry(GridPlace);
  FG1->verticalHeader()->hide();  // no fixed column; the header row is the grid's fixed row
  FG1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FG1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  FG1->horizontalHeader()->setFixedHeight(RowHeight);
  FG1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FG1->verticalHeader()->setDefaultSectionSize(RowHeight);
  FG1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FG1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FG1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Only rows with a tape can be selected, with a click: Enter or a double click watches them.
  FG1->setSelectionMode(QAbstractItemView::SingleSelection);
  FG1->setSelectionBehavior(QAbstractItemView::SelectRows);
  FG1->setFocusPolicy(Qt::NoFocus);  // the buttons alone take the keyboard
  // One line a cell, whole: "11 min 40 sec" takes a pixel or two of the cell's margins.
  FG1->setWordWrap(false);
  FG1->setTextElideMode(Qt::ElideNone);

  cmdPlay = AddButton("cmdPlay", "&Play", QRect(48, 304, 65, 25));
  cmdSubmit = AddButton("cmdSubmit", "Web &High Scores...", QRect(120, 304, 129, 25));
  cmdQuit = AddButton("cmdQuit", "&Quit", QRect(256, 304, 65, 25));
  // Tells a player who never read anything where the keys are.
  auto* hint = new QLabel(QString::fromUtf8(ControlFor(Action::Help).keyName) + ": keys", this);
  hint->setObjectName("lblHelp");
  hint->setGeometry(HelpHintPlace);
  hint->setAlignment(Qt::AlignCenter);
  cmdLastRun = AddButton("cmdLastRun", "&Last", LastRunPlace);
  cmdLastRun->setToolTip("Watch the last run again");
  cmdLastRun->setEnabled(false);
  cmdPlay->setDefault(true);
  setTabOrder(cmdPlay, cmdSubmit);
  setTabOrder(cmdSubmit, cmdQuit);
  setTabOrder(cmdQuit, cmdLastRun);
  cmdPlay->setFocus();
  cmdPlay->installEventFilter(this);  // Enter on a selected row

  connect(cmdPlay, &QPushButton::clicked, this, [this] {
    if (highScores_ != nullptr) highScores_->cmdPlay_Click();
  });
  connect(cmdSubmit, &QPushButton::clicked, this, [this] {
    if (highScores_ != nullptr) highScores_->cmdSubmit_Click();
  });
  connect(cmdQuit, &QPushButton::clicked, this, [this] {
    if (highScores_ != nullptr) highScores_->cmdQuit_Click();
  });
  connect(cmdLastRun, &QPushButton::clicked, this, [this] {
    if (highScores_ != nullptr) highScores_->WatchLastRun();
  });
  connect(FG1, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (highScores_ != nullptr && tapes_[row + 1]) highScores_->WatchPlace(row + 1);
  });
}

QPushButton* Form2::AddButton(const char* name, const char* caption, QRect place) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(place);
  return button;
}

void Form2::PressPlay() { cmdPlay->click(); }

void Form2::ShowGrid(const ScoreGrid& grid) {
  tapes_ = grid.tapes;
  FG1->clearSelection();
  for (int c = 0; c < ScoreGrid::Columns; ++c) {
    FG1->setHorizontalHeaderItem(c, new QTableWidgetItem(Text(grid.cells[0][c])));
    FG1->setColumnWidth(c, grid.widths[c]);
    for (int r = 1; r < ScoreGrid::Rows; ++r) {
      auto* cell = new QTableWidgetItem(Text(grid.cells[r][c]));
      cell->setTextAlignment(Qt::AlignCenter);
      if (grid.tapes[r]) {
        cell->setForeground(QBrush(WatchableText));
        cell->setToolTip("Double-click to watch this run");
      } else {
        cell->setFlags(Qt::ItemIsEnabled);
      }
      FG1->setItem(r - 1, c, cell);
    }
  }
  cmdLastRun->setEnabled(grid.lastRunTape);
}

void Form2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Asked once the window is up, and not again when it comes back from being minimised.
  if (!event->spontaneous()) {
    QTimer::singleShot(0, this, [this] {
      if (highScores_ != nullptr && isVisible()) highScores_->Form_Activate();
    });
  }
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
  // Enter is Play's, but with a row selected it watches that row's run.
  if (watched == cmdPlay && event->type() == QEvent::KeyPress && highScores_ != nullptr) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto rows = FG1->selectionModel()->selectedRows();
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && !rows.isEmpty() && tapes_[rows.first().row() + 1]) {
      highScores_->WatchPlace(rows.first().row() + 1);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Form2::keyPressEvent(QKeyEvent* event) {
  // Esc is the quit button's, as Enter is the play button's.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    cmdQuit->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace flakmire
