// Long play on scripted ports, weighed by a global allocator of this binary's own: steady play
// allocates nothing per frame, nor does finding what changed on screen; and the endless last level
// played for long by a seeded random gunner crashes nothing, keeps the tables in step, drains
// them once nothing new comes, does not grow the heap, and plays the same whether it is heard.
// FLAKMIRE_SOAK_FRAMES (50,000 by default; the long soak a million) and FLAKMIRE_SOAK_SEED choose
// the soak's run.
//
// Run follows run, each put in place by ResetGame as the high-score window's Play does. They take
// turns: a mortal gunner who can pay for every shell dies as play ends it; an invincible one on
// the game's own 10 points lets the sky fill until he unticks the cheat and presses the tilde.

#include <malloc.h>

#include <array>
#include <cstdlib>
#include <random>

#include "desktop/dirty_region.h"
#include "fakes/tape_world.h"
#include "fakes/test_game.h"

namespace {
long allocations = 0;
long long liveBytes = 0;
// Out of line, so that the compiler does not take a free() it sees inlined into a container's
// delete for a mismatch with its new.
[[gnu::noinline]] void Release(void* p) {
  if (p != nullptr) liveBytes -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++allocations, liveBytes += static_cast<long long>(malloc_usable_size(p));
  return p;
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }

namespace flakmire::testing {
namespace {

// The gunner keeps firing: shells, bursts and bombs come and go all the time. Beside him another
// game is recorded as it plays, a shell at every yield, so calls and readings go on its tape.
TEST(Allocation, SteadyPlayAndRecordingItAllocateNothingPerFrame) {
  TestGame t;
  TapeWorld w(true, 11);
  t.Seed(11), t.g.Level = 6, t.g.Points = 1000000, w.hashes.reserve(25001), ResetGame(w.g());
  t.onYield = [&] { Form_KeyDown(t.g, t.presents % 3 == 0 ? key_code::C : key_code::B); };
  w.onYield = [&w] { Form_KeyDown(w.g(), w.presents % 3 == 0 ? key_code::V : key_code::B); };
  std::array<PictureSize, PictureCount> pictures;
  pictures.fill({40, 30});
  DirtyRegion changes(pictures, 12);
  long before = 0;
  for (int frame = 0; frame < 25000; ++frame) {
    if (frame == 9000) before = allocations;  // past a level: every table at its size
    RunFrame(t.g), changes.Update(t.g.scene), RunFrame(w.g());
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GT(t.g.Troopers.UpperBound() + t.g.Bullets.UpperBound(), 10) << "the sky was busy";
}

// A seeded random gunner's runs, one after another, in a game that hears or one that does not.
struct Soak : TestGame {
  Soak(bool hearing, std::uint64_t seed, long total)
      : TestGame(false, hearing), hand(seed), total(total) {
    // Every table's whole room at once, so that the heap no longer follows the tables' sizes.
    const auto reserve = [](auto&... table) { (table.Reserve(MaxSlots), ...); };
    reserve(g.Troopers, g.Bullets, g.Copters, g.Jets, g.scene.imgBullet, g.scene.imgTrooper,
            g.scene.imgPara, g.scene.imgCopter, g.scene.imgJet);
    Seed(hand());
    onYield = [this] {  // the keys come at the yields, as the event pump delivers them
      if (Draw(2) == 0) Form_KeyDown(g, std::array{'B', 'V', 'C', 'X'}[Draw(4)]);
      if (Draw(4000) == 0) Form_KeyDown(g, key_code::Tilde);
      // An invincible run lasts a tenth of the soak on average.
      if (g.cheats[Cheat::Invincibility] && Draw(this->total / 40) == 0) EndRun();
    };
    Start();
  }
  long Draw(long n) { return static_cast<long>(hand() % n); }
  void Start() {
    ResetGame(g);
    g.Level = LastLevel, deadLeft = 160;  // the death timer's 2.5 s in yields, every 4th frame
    g.cheats.Set(Cheat::Invincibility, runs++ % 2 == 0);
    if (!g.cheats[Cheat::Invincibility]) g.Points = 1000000;
  }
  void EndRun() { g.cheats.Set(Cheat::Invincibility, false), Form_KeyDown(g, key_code::Tilde); }
  void Next() {
    // The turning keys, held or let go now and then (no key has the code 0).
    if (Draw(30) == 0) down = {std::array{0, key_code::Left, key_code::Right}[Draw(3)]};
    if (Frame() && --deadLeft == 0) Start();
    submitted.clear(), messages.clear();
  }
  std::mt19937_64 hand;
  long total;
  int runs = 0, deadLeft = 0;
};

// Two games play the soak side by side, one hearing and one not: each frame checks what the
// player hears against the play, and both show the same scene.
TEST(Soak, TheEndlessLevelPlaysOnWithinItsTablesAndASteadyHeapWhateverIsHeard) {
  const char *frames = std::getenv("FLAKMIRE_SOAK_FRAMES"),
             *seed = std::getenv("FLAKMIRE_SOAK_SEED");
  const long total = std::max(frames ? std::atol(frames) : 50000, 1000L);
  const std::uint64_t from = seed ? std::strtoull(seed, nullptr, 10) : 1;
  Soak heard(true, from, total), silent(false, from, total);
  long long heap[2] = {};  // at its most in each half
  for (long frame = 1; frame <= total && !HasFailure(); ++frame) {
    heard.Next(), silent.Next();
    heap[frame > total / 2] = std::max(heap[frame > total / 2], liveBytes);
    // A scene that parts from the other stays apart: a look every 64 frames will see it.
    EXPECT_TRUE(frame % 64 || SceneHash(heard.g.scene) == SceneHash(silent.g.scene)) << frame;
  }
  // Once the gunner is dead nothing new comes: everything up there leaves, lands and flees, dies
  // or burns out. A projectile expires at most once a frame, so a full table drains in about as
  // many frames as it has slots, and empties but for its last eleven free ones.
  Game& g = heard.g;
  heard.EndRun();
  const auto empty = [&g] {
    int inUse = g.Troopers.UpperBound() + g.Copters.UpperBound() + g.Jets.UpperBound();
    for (int i = 1; i <= g.Bullets.UpperBound(); ++i) inUse += g.Bullets[i].Active;
    return inUse == 0 && g.Bullets.UpperBound() <= 11;
  };
  long drain = 0;
  for (; drain < 2L * MaxSlots && !empty(); ++drain) RunFrame(g);
  EXPECT_TRUE(empty()) << g.Troopers.UpperBound() << " troopers, " << g.Bullets.UpperBound();
  EXPECT_LE(heap[1], heap[0] + 1024) << "the heap grows";
  EXPECT_GE(heard.runs, 3);
  std::printf("%ld frames, %d runs; the sky empty %ld frames after the last; heap %lld, %lld\n",
              total, heard.runs, drain, heap[0], heap[1]);
}

}  // namespace
}  // namespace flakmire::testing
