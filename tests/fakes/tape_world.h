#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "cheats/cheat_panel.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "tapes/recorder.h"

namespace flakmire::testing {

// A hash of everything on the playfield: every control of the scene, shown or not.
std::uint64_t SceneHash(const Scene& s);

// A scripted world whose runs are recorded, or not: the fake ports, under a tape recorder when
// `recording`; a game on them; the scene's hash at every paint. The cheat panel is the real one;
// `inPanel` plays the player's clicks in it. The high-score window's Play starts the next run when
// `playNext` is set.
struct TapeWorld : FakePorts {
  TapeWorld(bool recording, std::uint64_t seed);

  Game& g() { return *game; }

  // The calendar moves with the clock, so that runs last as long as they were played.
  double DateTimeNow() override { return dateTime + now / 86400; }
  void Present() override { FakePorts::Present(), hashes.push_back(SceneHash(game->scene)); }
  void ShowCheatPanel() override {
    FakePorts::ShowCheatPanel();
    CheatPanel panel(game->cheats, boxes,
                     recorder ? static_cast<InputLog&>(*recorder) : NoInputLog());
    panel.Form_Load();
    if (inPanel) inPanel(panel);
  }
  void ShowModal() override;  // out of line: the vtable stays in tape_world.cpp

  std::optional<TapeRecorder> recorder;
  std::unique_ptr<Game> game;
  std::vector<std::uint64_t> hashes;
  std::vector<KeptTape> tapes;
  std::vector<std::size_t> plays;  // hashes.size() when Play started a run
  std::function<void(CheatPanel&)> inPanel;
  bool playNext = false;
  NullCheatBoxes boxes;
};

}  // namespace flakmire::testing
