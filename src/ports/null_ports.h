#pragma once

#include <string_view>

#include "ports/cheat_boxes.h"
#include "ports/ports.h"

namespace flakmire {

// Do-nothing implementations of the ports, for tests and benchmarks that don't care about them.

class NullKeys final : public KeyState {
 public:
  bool IsDown(int) const override { return false; }
};

class NullWindow final : public MainWindow {
 public:
  void Show() override {}
  void SetCaption(std::string_view) override {}
  void SetPointer(Pointer) override {}
  void Present() override {}
};

class NullTimers final : public Timers {
 public:
  void SetEnabled(TimerId, bool) override {}
};

class NullEventPump final : public EventPump {
 public:
  void ProcessEvents() override {}
};

class NullDialogs final : public Dialogs {
 public:
  void ShowCheatPanel() override {}
  void Message(std::string_view, std::string_view) override {}
};

class NullMusic final : public Music {
 public:
  void PlayOnce(const std::string&) override {}
};

class NullCheatBoxes final : public CheatBoxes {
 public:
  void SetCaption(int, std::string_view) override {}
  void SetChecked(int, bool) override {}
};

}  // namespace flakmire
