#include "desktop/shell_keys.h"

#include <QApplication>
#include <QKeyEvent>

#include "desktop/controls.h"
#include "desktop/form1.h"
#include "desktop/help_page.h"
#include "game/game.h"
#include "game/pause.h"

namespace flakmire {

namespace {

// A key press passes the filter once for every widget it is offered to, the focus widget first
// (the window, when none has the focus), then its parents while they pass it on. A widget that
// takes text gets the key as a letter.
bool FirstToTakeAndNoText(QObject* watched) {
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  const QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr ? widget != focus : !widget->isWindow()) return false;
  return !widget->testAttribute(Qt::WA_InputMethodEnabled);
}

}  // namespace

void ShellKeys::ToggleHelp() {
  if (page_ != nullptr) {
    page_->reject();
    return;
  }
  QWidget* over = QApplication::activeModalWidget();
  if (over == nullptr) over = QApplication::activeWindow();
  if (over == nullptr) over = &form_;
  HelpPage page(over);
  page_ = &page;
  // TogglePause leaves the title and a dead gunner's run alone.
  const bool pauses = !game_.Paused;
  if (pauses) TogglePause(game_);
  page.exec();
  if (pauses) TogglePause(game_);
  page_ = nullptr;
}

bool ShellKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* press = static_cast<QKeyEvent*>(event);
  const Control* control = ControlOfKey(press->key());
  if (control == nullptr) return false;
  switch (control->action) {
    case Action::Help:
      if (!press->isAutoRepeat()) ToggleHelp();
      return true;
    case Action::FullScreen:
      if (!press->isAutoRepeat()) form_.ToggleFullScreen();
      return true;
    case Action::Sound:
      if (!press->isAutoRepeat() && soundKey_ && FirstToTakeAndNoText(watched)) soundKey_();
      return false;
    default: return false;
  }
}

}  // namespace flakmire
