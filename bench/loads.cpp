#include "loads.h"

#include <benchmark/benchmark.h>

#include <cstdio>

#include "game/layout.h"

namespace flakmire::bench {

using testing::TestGame;

void Load::Keep() {
  const Game& g = t->g;
  scene = g.scene, troopers = g.Troopers, bullets = g.Bullets, copters = g.Copters, jets = g.Jets;
  levelClock = g.LevelClock, gunAngle = g.GunAngle, wind = g.Wind;
}

void Load::Restore() {
  Game& g = t->g;
  g.scene = scene, g.Troopers = troopers, g.Bullets = bullets, g.Copters = copters, g.Jets = jets;
  g.LevelClock = levelClock, g.GunAngle = gunAngle, g.Wind = wind, g.WindDrift = wind / 1000;
  g.Points = 1000000, g.Dead = false, g.FastFrame = true;
}

int Load::Objects() const {
  int shown = 0;
  const auto count = [&shown](const auto& array) {
    for (int i = 1; i <= array.UpperBound(); ++i) shown += array[i].Visible;
  };
  count(scene.imgCopter), count(scene.imgJet), count(scene.imgTrooper), count(scene.imgBullet);
  return shown;
}

namespace {

// Fires at every yield and turns the gun from side to side.
void Gunner(TestGame& t) {
  t.onYield = [&g = t.g, step = 0]() mutable {
    g.GunAngle = static_cast<float>((step++ % 160) - 80);
    Form_KeyDown(g, key_code::B);
  };
}

Load MakeTypical() {
  Load load;
  TestGame& t = *load.t;
  t.Seed(42);
  t.g.Points = 1000000;
  Gunner(t);
  while (t.g.LevelClock < 2.5f) RunFrame(t.g);
  load.Keep();
  return load;
}

Load MakeStress() {
  Load load;
  TestGame& t = *load.t;
  t.Seed(7);
  Game& g = t.g;
  g.Level = LastLevel;
  g.LevelClock = 2.5f;
  g.Points = 1000000000;
  g.FastFrame = true;
  Random& r = t;
  const auto between = [&r](float low, float high) { return low + r.Rnd() * (high - low); };
  for (int i = 0; i < 100; ++i) {
    const int chute = i % 4 == 0 ? ChuteClosed : ChuteOpen;
    t.Put({true, between(20, 760), between(40, 420), between(-1, 1), 0.5f, chute, 0});
  }
  for (int i = 0; i < 10; ++i) {
    CreateCopter(g);
    CreateJet(g);
  }
  for (int i = 1; i <= 10; ++i) {
    g.Copters[i].X = between(0, 720), g.scene.imgCopter[i].Move(g.Copters[i].X, g.Copters[i].Y);
    g.Jets[i].X = between(0, 700), g.scene.imgJet[i].Move(g.Jets[i].X, g.Jets[i].Y);
  }
  constexpr int Kinds[] = {StandardShell, StandardShell, SmallFastShell, BloodDrop, BloodDrop,
                           BloodDrop,     HeavyShell,    StandardShell,  BloodDrop, FireExplosion};
  for (int i = 0; i < 2000; ++i) {
    const int kind = i % 200 == 199 ? SmokeExplosion : Kinds[i % 10];
    const int slot = t.Make(kind, between(10, 780), between(10, 470), between(-1.5f, 1.5f));
    // Explosions at every stage of their lives, not all just lit.
    if (kind < 0) g.Bullets[slot].Life = static_cast<int>(between(20, 290));
  }
  Gunner(t);
  load.Keep();
  return load;
}

}  // namespace

namespace {

class FrameShareReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto frames = run.counters.find("frames");
      if (frames == run.counters.end() || frames->second.value <= 0) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const double seconds =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      std::printf("    %s: %.3f%% of the 15.6 ms frame\n", run.benchmark_name().c_str(),
                  100 * seconds / frames->second.value / FrameSeconds);
    }
    std::fflush(stdout);
  }
};

}  // namespace

int RunWithFrameShares(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FrameShareReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

Load& TypicalLoad() {
  static Load load = MakeTypical();
  return load;
}

Load& StressLoad() {
  static Load load = MakeStress();
  return load;
}

}  // namespace flakmire::bench
