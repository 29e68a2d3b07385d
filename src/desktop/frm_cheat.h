#pragma once

#include <QDialog>
#include <array>

#include "cheats/cheat_panel.h"

class QCheckBox;
class QLabel;

namespace flakmire {

// The cheat panel's window: its label and its boxes, whose clicks it hands to the panel's rules.
// Made afresh for each opening; closing it with its close box returns to the game.
class frmCheat final : public QDialog, public CheatBoxes {
  Q_OBJECT

 public:
  // The log hears the panel's opening and its clicks: a tape of the run keeps them.
  explicit frmCheat(Cheats& cheats, QWidget* parent = nullptr, InputLog& log = NoInputLog());

  // CheatBoxes
  void SetCaption(int index, std::string_view caption) override;
  void SetChecked(int index, bool checked) override;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* Label1;
  std::array<QCheckBox*, CheatCount> chkCheats{};
  CheatPanel rules_;
};

}  // namespace flakmire
