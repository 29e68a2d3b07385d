// Steady play allocates nothing: every frame reuses the slots, sprites and text it already has.
// A binary of its own, because it replaces the global allocator to count.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/startup.h"
#include "ports/null_ports.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace flakmire::testing {
namespace {

TEST(Allocation, SteadyPlayAllocatesNothingPerFrame) {
  ScriptedClock clock;
  ScriptedRandom random;
  random.Seed(11);
  NullKeys keys;
  NullWindow window;
  NullTimers timers;
  FakeEventPump pump;
  NullDialogs dialogs;
  NullMusic music;
  Game g(Ports{clock, random, keys, window, timers, pump, dialogs, music, "/opt/flakmire"});
  ResetGame(g);
  g.Level = 6;
  g.Points = 1000000;
  // The gunner keeps firing, so shells, bursts and bombs come and go all the time.
  int frame = 0;
  pump.onYield = [&] { Form_KeyDown(g, frame % 3 == 0 ? key_code::C : key_code::B); };

  for (; frame < 9000; ++frame) RunFrame(g);  // more than a level: every table at its size
  const long before = allocations;
  for (; frame < 25000; ++frame) RunFrame(g);
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GT(g.Troopers.UpperBound() + g.Bullets.UpperBound(), 10) << "the sky was busy";
}

}  // namespace
}  // namespace flakmire::testing
