#pragma once

namespace flakmire {

// Lets the windowing system process every pending event once (keys, mouse, timers, paint), then
// returns. The game loop yields here on about every fourth frame.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
};

}  // namespace flakmire
