#pragma once

#include <QDialog>
#include <string>

#include "desktop/controls.h"

namespace flakmire {

// What a shot of this control costs, as the help says it ("40 points"); empty for a control that
// fires nothing.
std::string CostText(const Control& control);

// The groups of the help page, in its order.
constexpr std::array<Where, 3> HelpGroups = {Where::Playfield, Where::Anywhere, Where::HighScores};

// The heading of the help's group of controls that work in this window.
std::string_view WhereText(Where where);

// The page of keys: every row of the controls, grouped by the window it works in, with its
// gamepad button, what a shot costs and what it does.
class HelpPage final : public QDialog {
  Q_OBJECT

 public:
  explicit HelpPage(QWidget* parent = nullptr);
};

}  // namespace flakmire
