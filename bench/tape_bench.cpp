// How long a proof of a tape takes, and how large tapes are: a ten-minute run is recorded once,
// untimed (an invincible gunner who turns and fires all the time, so the sky stays busy), then
// proven over and over as `flakmire --verify` does it. A proof should take at most 2 s.

#include <benchmark/benchmark.h>

#include "fakes/tape_world.h"
#include "game/death.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/startup.h"
#include "scores/verify_tape.h"

namespace flakmire::testing {
namespace {

constexpr int TenMinutes = 10 * 60 * 64;  // frames

struct TenMinuteTape {
  std::vector<std::uint8_t> bytes;
  long frames = 0;
};

// Invincible from the first yields on; the cheat cleared after ten minutes, when the crowd on the
// ground soon ends the run.
TenMinuteTape Record() {
  TapeWorld w(true, 21);
  Game& g = w.g();
  int yield = 0;
  w.inPanel = [&g](CheatPanel& p) { p.chkCheats_Click(5, !g.cheats[Cheat::Invincibility]); };
  w.onYield = [&] {
    ++yield;
    if (g.Dead) return;
    w.down = {yield % 100 < 30 ? 37 : yield % 100 >= 50 && yield % 100 < 80 ? 39 : 0};
    Form_KeyDown(g, "BVBCBX"[yield % 6]);
    if (yield == 3 || static_cast<long>(w.hashes.size()) == TenMinutes) {
      for (const char c : std::string_view("SHOWMETRICKS")) Form_KeyDown(g, c);
    }
  };
  ResetGame(g);
  int deadTicks = 0;
  while (deadTicks < 160) {
    Timer1_Timer(g);
    if (g.Dead) ++deadTicks;
  }
  tmrDead_Timer(g);
  return {w.tapes.at(0).bytes, static_cast<long>(w.hashes.size())};
}

void BM_VerifyTenMinuteRun(benchmark::State& state) {
  static const TenMinuteTape tape = Record();
  for (auto _ : state) {
    const Verdict verdict = VerifyTape(tape.bytes);
    if (verdict.exitCode != 0) state.SkipWithError(verdict.report.c_str());
  }
  state.counters["frames"] = static_cast<double>(tape.frames);
  state.counters["tape bytes"] = static_cast<double>(tape.bytes.size());
  state.counters["bytes a minute"] = static_cast<double>(tape.bytes.size()) * 3840 / tape.frames;
}

BENCHMARK(BM_VerifyTenMinuteRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace flakmire::testing

BENCHMARK_MAIN();
