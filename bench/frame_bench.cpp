// How long the game's own work in one frame takes, in a quiet sky and in a busy one. A frame
// has 15.6 ms; the game should need a small fraction of it.

#include <benchmark/benchmark.h>

#include "fakes/test_game.h"
#include "game/game_loop.h"

namespace flakmire::testing {
namespace {

void Frames(benchmark::State& state, int level, int warmUpFrames) {
  TestGame t;
  t.random.Seed(42);
  t.g.Level = level;
  t.g.Points = 100000;
  for (int i = 0; i < warmUpFrames; ++i) RunFrame(t.g);
  for (auto _ : state) {
    RunFrame(t.g);
    benchmark::DoNotOptimize(t.g.LevelClock);
  }
  state.counters["troopers"] = t.g.Troopers.UpperBound();
  state.counters["projectiles"] = t.g.Bullets.UpperBound();
}

void BM_FrameFirstLevel(benchmark::State& state) { Frames(state, 0, 2000); }
void BM_FrameLastLevelBusySky(benchmark::State& state) { Frames(state, 10, 4000); }

BENCHMARK(BM_FrameFirstLevel);
BENCHMARK(BM_FrameLastLevelBusySky);

}  // namespace
}  // namespace flakmire::testing
