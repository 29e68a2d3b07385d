#include "desktop/qt_ports.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "desktop/frm_cheat.h"
#include "game/death.h"
#include "game/game.h"
#include "game/game_loop.h"

namespace flakmire {

QtTimers::QtTimers() {
  for (TimerId id : {TimerId::Timer1, TimerId::tmrDead, TimerId::tmrTrans}) {
    Get(id).setInterval(TimerIntervalMs(id));
    // Qt's default, coarse timers may fire up to 5% early: the high scores would come before
    // 2.5 s, and the pointer go before 4 s of rest.
    Get(id).setTimerType(Qt::PreciseTimer);
  }
}

void QtTimers::Attach(Game& game) {
  game_ = &game;
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(*game_); });
  connect(&tmrDead_, &QTimer::timeout, this, [this] { tmrDead_Timer(*game_); });
  connect(&tmrTrans_, &QTimer::timeout, this, [this] { tmrTrans_Timer(*game_); });
  for (TimerId id : {TimerId::Timer1, TimerId::tmrDead, TimerId::tmrTrans}) {
    if (TimerRunsAtStart(id)) Get(id).start();
  }
}

void QtTimers::SetEnabled(TimerId timer, bool enabled) {
  QTimer& t = Get(timer);
  if (!enabled) {
    t.stop();
  } else if (!t.isActive()) {
    t.start();
  }
}

QTimer& QtTimers::Get(TimerId timer) {
  switch (timer) {
    case TimerId::Timer1: return timer1_;
    case TimerId::tmrDead: return tmrDead_;
    case TimerId::tmrTrans: return tmrTrans_;
  }
  return timer1_;
}

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(); }

void QtDialogs::ShowCheatPanel() {
  if (cheats_ == nullptr) return;
  frmCheat panel(*cheats_, owner_, *log_);
  panel.exec();
}

void QtDialogs::Message(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(title.data(), title.size()),
                  QString::fromUtf8(text.data(), text.size()), QMessageBox::Ok, owner_);
  box.exec();
}

}  // namespace flakmire
