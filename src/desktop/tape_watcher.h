#pragma once

#include "ports/sounds.h"
#include "ports/tape_viewer.h"

namespace flakmire {

class Form1;

// Plays a tape in the main window at the pace it was played: its run in a game of its own, shown
// until the run is over or any key or the window's close control stops it; the window's caption
// says so meanwhile, and the run's sounds play. Long stretches without a frame (a pause) are cut
// to a second.
class TapeWatcher final : public TapeViewer {
 public:
  explicit TapeWatcher(Form1& window, Sounds& sounds = NoSounds())
      : window_(window), sounds_(sounds) {}

  void Watch(const std::vector<std::uint8_t>& tape) override;

 private:
  Form1& window_;
  Sounds& sounds_;
};

}  // namespace flakmire
