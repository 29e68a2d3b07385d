// Helicopters and jets: where they start, when they leave, the troopers and bombs they release,
// the draws of their steps, the one-slot trim of the entity tables, and a whole level of them.

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <tuple>
#include <vector>

#include "fakes/test_game.h"
#include "game/copters.h"
#include "game/game_loop.h"
#include "game/jets.h"
#include "game/troopers.h"

namespace flakmire::testing {
namespace {

// Draws that give round numbers: (1/32)^0.2 x 2 = 1 px a frame; floor(2u) x 2 - 1 is the direction.
constexpr float SpeedOne = 1.0f / 32, Rightwards = 0.7f, Leftwards = 0.2f;

// Either kind of aircraft, seen through slot 1 of its table.
struct Aircraft {
  Game& g;
  bool jet;
  void Create() { jet ? CreateJet(g) : CreateCopter(g); }
  void Step() { jet ? DoPlanes(g, false) : DoCopters(g, false); }
  int Upper() const { return jet ? g.Jets.UpperBound() : g.Copters.UpperBound(); }
  float& X() { return jet ? g.Jets[1].X : g.Copters[1].X; }
  float& Y() { return jet ? g.Jets[1].Y : g.Copters[1].Y; }
  float& XVel() { return jet ? g.Jets[1].XVel : g.Copters[1].XVel; }
  Sprite& sprite() { return jet ? g.scene.imgJet[1] : g.scene.imgCopter[1]; }
  // Starts one that its next step takes to x.
  void Enter(float x, float xVel) {
    Create();
    XVel() = xVel;
    X() = x - xVel;
  }
};

TEST(Aircraft, StartOnTheLineOfTheirWayAndFlyInOnTheFirstStep) {
  struct Row {
    bool jet;
    std::deque<float> draws;
    float xVel, x, y;
    PictureId picture;
  };
  const auto fifthRootOfAHalf = static_cast<float>(std::pow(0.5, 0.2) * 2);
  for (const Row& r : {
           Row{false, {SpeedOne, Rightwards, 0.5f}, 1, -150, 85, PictureId::Copter},
           Row{false, {0.5f, Leftwards, 0}, -fifthRootOfAHalf, 944, 0, PictureId::CopterFacingLeft},
           // A speed of 0 (here -0) is drawn again, direction and all.
           Row{false, {0, Leftwards, SpeedOne, Rightwards, 0.5f}, 1, -150, 85, PictureId::Copter},
           Row{true, {Rightwards, 0.5f}, 1.7f, -150, 35, PictureId::Jet},
           Row{true, {Leftwards, 0}, -1.7f, 944, 0, PictureId::JetFacingLeft},
       }) {
    TestGame t;
    t.random.queue = r.draws;
    Aircraft a{t.g, r.jet};
    a.Create();
    EXPECT_EQ(a.XVel(), r.xVel) << r.jet << " " << r.xVel;
    EXPECT_EQ(a.X(), r.x);
    EXPECT_EQ(a.Y(), r.y);
    EXPECT_EQ(a.sprite().Picture, r.picture);
    a.Step();
    ASSERT_EQ(a.Upper(), 1);
    EXPECT_EQ(a.sprite().Left, r.x + r.xVel);
    // Its own draws, the drop or bomb draw, and the spawn draw: taken though Spawn is false, so
    // that the random sequence doesn't depend on the phase.
    EXPECT_EQ(t.random.draws, static_cast<int>(r.draws.size()) + 2);
  }
}

// An aircraft that its step takes exactly onto a start line stays; one float beyond, it is gone
// and its slot trimmed. A helicopter draws for its drop even in the step it leaves.
TEST(Aircraft, LeaveOnlyBeyondTheStartLines) {
  const float past150 = std::nextafter(-150.0f, -200.0f), past944 = std::nextafter(944.0f, 999.0f);
  const std::tuple<bool, float, float, bool> rows[] = {
      // jet, XVel, X after the step, stays
      {false, -1, -150, true},    {false, -1, past150, false}, {false, 1, 944, true},
      {false, 1, past944, false}, {true, -1.7f, -150, true},   {true, -1.7f, past150, false},
      {true, 1.7f, 944, true},    {true, 1.7f, past944, false}};
  for (const auto& [jet, xVel, x, stays] : rows) {
    TestGame t;
    Aircraft a{t.g, jet};
    a.Enter(x, xVel);
    ASSERT_EQ(a.X() + a.XVel(), x);
    t.random.queue = {0};  // a drop, or a bomb
    a.Step();
    EXPECT_EQ(a.Upper(), stays ? 1 : 0) << jet << " " << x;
    if (jet) continue;
    ASSERT_EQ(t.g.Troopers.UpperBound(), 1);
    EXPECT_EQ(t.g.Troopers[1].X, x + 24);
    EXPECT_EQ(t.g.Troopers[1].Y, 85 + 12);  // from the fallback draw of 0.5
    EXPECT_EQ(t.g.Troopers[1].XVel, xVel);
  }
}

// The release offset is how far the jet's middle (X + 40) has passed the gun at x 396 along its
// flight, rounded half to even for the window; the bomb's tag keeps it unrounded for its landing.
TEST(JetBombing, ReleasesOnlyStrictlyInsideTheWindowTaggedWithTheOffset) {
  struct Row {
    float xVel, x;
    int min, max;
    const char* tag;  // nullptr: no bomb, and no bomb draw
  };
  for (const Row& r : {
           Row{1.7f, 336, -21, -19, "-20"},   // flying right, 20 px short of the gun
           Row{-1.7f, 376, -21, -19, "-20"},  // flying left, 20 px short of it
           Row{1.7f, 336, -20, 1000, nullptr}, Row{1.7f, 336, -1000, -20, nullptr},
           Row{-1.7f, 376, -20, 0, nullptr}, Row{1.7f, 335.5f, -21, -19, "-20.5"},
           Row{1.7f, 336.5f, -21, -19, "-19.5"}, Row{1.7f, 232.5f, -1000, 1000, "-123.5"},
           Row{-1.7f, 206, -1000, 1000, "150"},
           Row{-1.7f, 356, -1000, 1000, "0"},  // right over the gun: not "-0"
       }) {
    TestGame t;
    Aircraft{t.g, true}.Enter(r.x, r.xVel);
    t.g.BombMinOffset = r.min;
    t.g.BombMaxOffset = r.max;
    t.random.draws = 0;
    t.random.queue = {0};
    DoPlanes(t.g, false);
    EXPECT_EQ(t.random.draws, r.tag ? 2 : 1) << r.xVel << " " << r.x << " " << r.min;
    ASSERT_EQ(t.g.Bullets.UpperBound(), r.tag ? 1 : 0);
    if (!r.tag) continue;
    EXPECT_EQ(t.g.scene.imgBullet[1].Tag, r.tag);
  }
}

// Only a full projectile table refuses a bomb. It is filled directly: through CreateBullet each
// slot would scan the table.
TEST(JetBombing, RefusedBombTagsNothing) {
  TestGame t;
  while (t.g.Bullets.UpperBound() < MaxSlots) {
    t.g.Bullets.Grow();
    t.g.scene.imgBullet.LoadNext();
    t.g.Bullets[t.g.Bullets.UpperBound()].Active = true;
  }
  t.g.scene.imgBullet[MaxSlots].Tag = "top";
  Aircraft{t.g, true}.Enter(336, 1.7f);
  t.random.queue = {0};
  DoPlanes(t.g, false);
  EXPECT_EQ(t.random.draws, 4) << "two to start, the bomb draw and the spawn draw";
  EXPECT_EQ(t.g.scene.imgBullet[MaxSlots].Tag, "top");
}

TEST(Tables, AircraftAndTrooperStepsTrimOneFreeTopSlotEach) {
  TestGame t;
  Game& g = t.g;
  for (int made = 0; made < 2; ++made) {
    CreateCopter(g);
    CreateJet(g);
    CreateTrooper(g, 100, 100, 0);
  }
  for (int i : {1, 2}) g.Copters[i].Active = g.Jets[i].Active = g.Troopers[i].Active = false;
  for (int expected : {1, 0, 0}) {
    DoCopters(g, false);
    DoPlanes(g, false);
    DoTroopers(g);
    EXPECT_EQ(
        (std::vector{g.Copters.UpperBound(), g.scene.imgCopter.UpperBound(), g.Jets.UpperBound(),
                     g.scene.imgJet.UpperBound(), g.Troopers.UpperBound(),
                     g.scene.imgTrooper.UpperBound(), g.scene.imgPara.UpperBound()}),
        std::vector<int>(7, expected));
  }
}

// One whole level through the game loop on a seeded random source: helicopters, jets, troopers
// and bombs come at the rates their odds imply, and the same seed plays the same level.

struct LevelCounts {
  // copterSteps and bombChances: the chances to drop a trooper and to release a bomb.
  long copters = 0, jets = 0, troopers = 0, bombs = 0, copterSteps = 0, bombChances = 0;
  friend bool operator==(const LevelCounts&, const LevelCounts&) = default;
};

template <class Record, class Test>
long Count(const Table<Record>& table, Test test) {
  long n = 0;
  for (int i = 1; i <= table.UpperBound(); ++i) n += table[i].Active && test(table[i]);
  return n;
}

// Newcomers are told by what no earlier frame could leave behind: an aircraft still on its start
// line, a trooper or a bomb that hasn't fallen yet.
bool IsNew(float X, float XVel) { return (X == -150 && XVel > 0) || (X == 944 && XVel < 0); }

LevelCounts PlayLevel(std::uint64_t seed) {
  TestGame t;
  Game& g = t.g;
  t.random.Seed(seed);
  g.cheats.Set(Cheat::Invincibility, true);  // a bomb on the gun would end the phases early
  LevelCounts n;
  for (int frame = 1; frame <= 8001; ++frame) {
    n.copterSteps += Count(g.Copters, [](auto&) { return true; });
    RunFrame(g);
    n.copters += Count(g.Copters, [](auto& c) { return IsNew(c.X, c.XVel); });
    n.jets += Count(g.Jets, [](auto& jet) { return IsNew(jet.X, jet.XVel); });
    n.bombChances += Count(g.Jets, [&](auto& jet) {
      const long offset = std::lrint((jet.X + 40 - 396) * (jet.XVel > 0 ? 1.0f : -1.0f));
      return !IsNew(jet.X, jet.XVel) && g.BombMinOffset < offset && offset < g.BombMaxOffset;
    });
    n.troopers +=
        Count(g.Troopers, [](auto& tr) { return tr.ChuteState == ChuteClosed && tr.YVel == 0; });
    n.bombs += Count(g.Bullets, [](auto& b) { return b.Kind == Bomb && b.YVel == 0; });
  }
  return n;
}

// `chances` of 1 in `odds` each: the count lies within four standard deviations of the mean.
void ExpectRate(long count, long chances, double odds, const char* what) {
  const double mean = static_cast<double>(chances) / odds, sigma = std::sqrt(mean * (1 - 1 / odds));
  EXPECT_NEAR(static_cast<double>(count), mean, 4 * sigma) << what << ": " << chances << " chances";
}

TEST(LevelScenario, ComesAtTheRatesOfItsOddsAndPlaysTheSameForTheSameSeed) {
  const LevelCounts n = PlayLevel(20240611);
  // Helicopters may start in frames 1 to 5000, jets in 5501 to 7500, each at 1 in 250.
  ExpectRate(n.copters, 5000, 250, "helicopters");
  ExpectRate(n.jets, 2000, 250, "jets");
  // A helicopter crosses in about 680 frames, each a 1 in 450 chance to drop a trooper.
  EXPECT_GT(n.copterSteps, n.copters * 500);
  ExpectRate(n.troopers, n.copterSteps, 450, "troopers");
  // Landing bombs narrow the window, so the 1 in 400 chances fall well short of the jets' steps.
  EXPECT_GT(n.bombChances, 400);
  ExpectRate(n.bombs, n.bombChances, 400, "bombs");
  EXPECT_EQ(PlayLevel(20240611), n);
}

}  // namespace
}  // namespace flakmire::testing
