// Steady play allocates nothing, nor does finding what changed on screen; a binary of its own,
// as it replaces the global allocator.

#include <atomic>
#include <cstdlib>
#include <new>

#include "desktop/dirty_region.h"
#include "fakes/test_game.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// GCC takes free() here for a mismatch once it inlines the pair; this new is malloc, free its match.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace flakmire::testing {
namespace {

TEST(Allocation, SteadyPlayAllocatesNothingPerFrame) {
  TestGame t;
  t.Seed(11);
  t.g.Level = 6, t.g.Points = 1000000;
  // The gunner keeps firing, so shells, bursts and bombs come and go all the time.
  int frame = 0;
  t.onYield = [&] { Form_KeyDown(t.g, frame % 3 == 0 ? key_code::C : key_code::B); };
  std::array<PictureSize, PictureCount> pictures;
  pictures.fill({40, 30});
  DirtyRegion changes(pictures, 12);
  const auto play = [&](int until) {
    for (; frame < until; ++frame) RunFrame(t.g), changes.Update(t.g.scene);
  };
  play(9000);  // more than a level: every table at its size
  const long before = allocations;
  play(25000);
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GT(t.g.Troopers.UpperBound() + t.g.Bullets.UpperBound(), 10) << "the sky was busy";
}

}  // namespace
}  // namespace flakmire::testing
