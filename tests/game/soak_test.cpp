// The endless last level played for long by a seeded random gunner: nothing crashes, the tables
// stay in step and drain once nothing new comes, and the heap does not grow. A binary of its own:
// it replaces the global allocator to weigh the heap. FLAKMIRE_SOAK_FRAMES (50,000 by default; the
// long soak a million) and FLAKMIRE_SOAK_SEED choose the run.
//
// A death ends a run, so run follows run, each put in place by ResetGame as the high-score
// window's Play does, on the last level. They take turns: a mortal run, whose gunner can pay for
// every shell, ends as play ends it; an invincible one (the cheat), on the game's own 10 points,
// lets the sky fill as nothing else does, until the gunner unticks the cheat and presses the tilde.

#include <malloc.h>

#include <array>
#include <cstdlib>
#include <random>

#include "fakes/test_game.h"

namespace {
long long liveBytes = 0;
void Release(void* p) {
  if (p != nullptr) liveBytes -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  liveBytes += static_cast<long long>(malloc_usable_size(p));
  return p;
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }

namespace flakmire::testing {
namespace {

long Setting(const char* name, long otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : otherwise;
}

constexpr int DeadFrames = 160;      // the death timer's 2.5 s, before the next run
constexpr int ProjectileBlock = 11;  // the projectile table is cut back 11 free slots at a time

bool Empty(const Game& g) {
  if (g.Troopers.UpperBound() + g.Copters.UpperBound() + g.Jets.UpperBound() != 0) return false;
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    if (g.Bullets[i].Active) return false;
  }
  return g.Bullets.UpperBound() <= ProjectileBlock;
}

TEST(Soak, TheEndlessLevelPlaysOnWithinItsTablesAndASteadyHeap) {
  const long total = std::max(Setting("FLAKMIRE_SOAK_FRAMES", 50000), 1000L);
  const auto seed = static_cast<std::uint64_t>(Setting("FLAKMIRE_SOAK_SEED", 1));
  TestGame t(false);
  Game& g = t.g;
  // Every table's whole room at once, so that the heap no longer follows the tables' sizes.
  g.Troopers.Reserve(MaxSlots), g.scene.imgTrooper.Reserve(MaxSlots);
  g.scene.imgPara.Reserve(MaxSlots), g.Bullets.Reserve(MaxSlots);
  g.scene.imgBullet.Reserve(MaxSlots), g.Copters.Reserve(MaxSlots);
  g.scene.imgCopter.Reserve(MaxSlots), g.Jets.Reserve(MaxSlots), g.scene.imgJet.Reserve(MaxSlots);
  t.Seed(seed);
  std::mt19937_64 hand(seed);
  const auto draw = [&hand](long n) {
    return static_cast<long>(hand() % static_cast<unsigned long>(n));
  };

  int runs = 0, deadLeft = 0, mostSlots[2][4] = {};
  long runEnds = 0;
  bool invincible = false;
  const auto start = [&] {
    ResetGame(g);
    g.Level = LastLevel;
    invincible = runs++ % 2 == 0;
    g.cheats.Set(Cheat::Invincibility, invincible);
    if (!invincible) g.Points = 1000000;
    runEnds = total / 80 + draw(total / 20), deadLeft = DeadFrames;  // in yields, every 4th frame
    t.submitted.clear(), t.messages.clear();
  };
  const auto endRun = [&] {
    g.cheats.Set(Cheat::Invincibility, false), Form_KeyDown(g, key_code::Tilde);
  };
  t.onYield = [&] {  // the keys come at the yields, as the event pump delivers them
    static constexpr int FireKeys[] = {key_code::B, key_code::V, key_code::C, key_code::X};
    if (draw(2) == 0) Form_KeyDown(g, FireKeys[draw(4)]);
    if (draw(4000) == 0) Form_KeyDown(g, key_code::Tilde);
    if (invincible && --runEnds < 0) endRun();
  };

  start();
  long long heap[2] = {};  // at its most in each half
  for (long frame = 1; frame <= total; ++frame) {
    if (draw(30) == 0) {  // the turning keys, held or let go now and then
      t.down.erase(key_code::Left), t.down.erase(key_code::Right);
      if (const long turn = draw(3); turn != 0)
        t.down.insert(turn == 1 ? key_code::Left : key_code::Right);
    }
    if (RunFrame(g) && --deadLeft == 0) start();
    const int sizes[4] = {g.Troopers.UpperBound(), g.Bullets.UpperBound(), g.Copters.UpperBound(),
                          g.Jets.UpperBound()};
    for (int i = 0; i < 4; ++i)
      mostSlots[invincible][i] = std::max(mostSlots[invincible][i], sizes[i]);
    heap[frame > total / 2] = std::max(heap[frame > total / 2], liveBytes);
    ASSERT_STREQ(TableOutOfStep(g), "") << "frame " << frame;
    ASSERT_EQ(g.Level, LastLevel) << "frame " << frame;
  }

  // Once the gunner is dead nothing new comes, and everything in the sky leaves, lands and flees,
  // dies or burns out. A projectile expires at most once a frame: a full table drains in about as
  // many frames as it has slots.
  endRun();
  long drain = 0;
  for (; drain < 2L * MaxSlots && !Empty(g); ++drain) RunFrame(g);
  EXPECT_TRUE(Empty(g)) << "slots left: " << g.Troopers.UpperBound() << " troopers, "
                        << g.Bullets.UpperBound() << " projectiles";
  ResetGame(g);
  t.submitted.clear(), t.messages.clear();
  EXPECT_LE(heap[1], heap[0] + 1024) << "the heap grows";
  EXPECT_LE(liveBytes, heap[0] + 1024) << "the heap grows";
  EXPECT_GE(runs, 3);
  for (const int kind : {0, 1}) {
    const int* m = mostSlots[kind];
    std::printf("%s runs: at most %d troopers, %d projectiles, %d copters, %d jets\n",
                kind ? "Invincible" : "Mortal", m[0], m[1], m[2], m[3]);
  }
  std::printf("%ld frames, %d runs; the sky empty %ld frames after the last; heap %lld, %lld\n",
              total, runs, drain, heap[0], heap[1]);
}

}  // namespace
}  // namespace flakmire::testing
