// How long the game's own work in one frame takes. A frame has 15.6 ms; the game should need a
// small fraction of it, even on the last level, where the sky is fullest.
//
// Each run plays frames from a fresh, seeded game with a gunner who fires at every yield, so the
// tables fill as they do in play. (Until troopers on the ground storm the gun, nothing takes the
// landed ones away: the last level's figures are a worst case.)

#include <benchmark/benchmark.h>

#include <memory>

#include "fakes/test_game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "loads.h"

namespace flakmire::testing {
namespace {

void Play(benchmark::State& state, int level, int frames) {
  long objects = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto t = std::make_unique<TestGame>();
    t->Seed(42);
    t->g.Level = level;
    t->g.Points = 1000000;
    t->onYield = [&g = t->g] { Form_KeyDown(g, key_code::B); };
    state.ResumeTiming();
    for (int frame = 0; frame < frames; ++frame) RunFrame(t->g);
    objects = t->g.Troopers.UpperBound() + t->g.Bullets.UpperBound() + t->g.Copters.UpperBound() +
              t->g.Jets.UpperBound();
  }
  state.SetItemsProcessed(state.iterations() * frames);  // items: frames
  state.counters["objects at the end"] = static_cast<double>(objects);
  state.counters["frames"] = frames;
}

void BM_FirstLevel(benchmark::State& state) { Play(state, 0, 8001); }
void BM_MiddleLevel(benchmark::State& state) { Play(state, 5, 8001); }
void BM_LastLevelFirstThousandFrames(benchmark::State& state) { Play(state, 10, 1000); }

// One frame of the game's own work at a load, and its share of the 15.6 ms frame.
// Each run restores the load, untimed, and plays a few frames from it, so the sky stays as full
// as it was set up.
void Frames(benchmark::State& state, bench::Load& load, int frames) {
  for (auto _ : state) {
    state.PauseTiming();
    load.Restore();
    state.ResumeTiming();
    for (int frame = 0; frame < frames; ++frame) RunFrame(load.t->g);
  }
  state.SetItemsProcessed(state.iterations() * frames);  // items: frames
  state.counters["objects"] = bench::Shown(load.scene);
  state.counters["frames"] = frames;
}

void BM_TypicalFrame(benchmark::State& state) { Frames(state, bench::TypicalLoad(), 200); }
void BM_StressFrame(benchmark::State& state) { Frames(state, bench::StressLoad(), 10); }
void BM_CrowdedFrame(benchmark::State& state) { Frames(state, bench::CrowdedLoad(), 10); }
void BM_DearestFrame(benchmark::State& state) { Frames(state, bench::DearestLoad(), 10); }

BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StressFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrowdedFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DearestFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MiddleLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastLevelFirstThousandFrames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace flakmire::testing

int main(int argc, char** argv) { return flakmire::bench::RunWithFrameShares(argc, argv); }
