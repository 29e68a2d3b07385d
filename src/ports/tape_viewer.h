#pragma once

#include <cstdint>
#include <vector>

namespace flakmire {

// Plays a tape of a run in the main window for the player to watch; returns when it has ended or
// the player stopped it. The run watched has a game of its own: nothing of the real game, the
// table or the files changes.
class TapeViewer {
 public:
  virtual ~TapeViewer() = default;
  virtual void Watch(const std::vector<std::uint8_t>& tape) = 0;
};

class NullTapeViewer final : public TapeViewer {
 public:
  void Watch(const std::vector<std::uint8_t>&) override {}
};

inline TapeViewer& NoTapeViewer() {
  static NullTapeViewer none;
  return none;
}

}  // namespace flakmire
