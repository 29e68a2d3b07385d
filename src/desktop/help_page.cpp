#include "desktop/help_page.h"

#include <QGridLayout>
#include <QLabel>

#include "game/gun.h"

namespace flakmire {

namespace {

constexpr int Margin = 16, ColumnGap = 18, GroupGap = 10;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* Cell(QWidget* parent, const QString& text, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace

std::string CostText(const Control& control) {
  const int cost = ShotCost(control.keys[0].game);
  if (cost == 0) return {};
  return std::to_string(cost) + (cost == 1 ? " point" : " points");
}

std::string_view WhereText(Where where) {
  switch (where) {
    case Where::Playfield: return "Playing";
    case Where::Anywhere: return "Anywhere";
    case Where::HighScores: return "In the high-score window";
  }
  return {};
}

HelpPage::HelpPage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle("Flakmire: keys");
  auto* grid = new QGridLayout(this);
  grid->setObjectName("rows");
  grid->setContentsMargins(Margin, Margin, Margin, Margin);
  grid->setHorizontalSpacing(ColumnGap);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  int row = 0;
  grid->addWidget(Cell(this, "Key", true), row, 0);
  grid->addWidget(Cell(this, "Gamepad", true), row, 1);
  grid->addWidget(Cell(this, "Costs", true), row, 2);
  grid->addWidget(Cell(this, "What it does", true), row, 3);
  for (Where where : HelpGroups) {
    grid->setRowMinimumHeight(++row, GroupGap);
    grid->addWidget(Cell(this, Text(WhereText(where)), true), ++row, 0, 1, 4);
    for (const Control& c : Controls()) {
      if (c.where != where) continue;
      grid->addWidget(Cell(this, Text(c.keyName), true), ++row, 0);
      grid->addWidget(Cell(this, Text(c.padName)), row, 1);
      grid->addWidget(Cell(this, Text(CostText(c))), row, 2);
      grid->addWidget(Cell(this, Text(c.does)), row, 3);
    }
  }
}

}  // namespace flakmire
