#pragma once

#include <QObject>
#include <QTimer>
#include <QWidget>

#include "ports/dialogs.h"
#include "ports/event_pump.h"
#include "ports/input_log.h"
#include "ports/timers.h"

namespace flakmire {

struct Game;
class Cheats;

// The main window's timers as QTimers; each calls its handler in the game when it comes due.
class QtTimers final : public QObject, public Timers {
  Q_OBJECT

 public:
  QtTimers();

  // Connects the handlers and starts the timers that run from the start.
  void Attach(Game& game);
  void SetEnabled(TimerId timer, bool enabled) override;

 private:
  QTimer& Get(TimerId timer);

  Game* game_ = nullptr;
  QTimer timer1_, tmrDead_, tmrTrans_;
};

class QtEventPump final : public EventPump {
 public:
  void ProcessEvents() override;
};

// Qt's windows over the main window: the cheat panel, made afresh for each opening, and the
// message box.
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  // The switches the cheat panel sets, and who hears of its clicks.
  void Attach(Cheats& cheats, InputLog& log = NoInputLog()) {
    cheats_ = &cheats;
    log_ = &log;
  }

  void ShowCheatPanel() override;
  void Message(std::string_view text, std::string_view title) override;

 private:
  QWidget* owner_;
  Cheats* cheats_ = nullptr;
  InputLog* log_ = &NoInputLog();
};

}  // namespace flakmire
