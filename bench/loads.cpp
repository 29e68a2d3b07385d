#include "loads.h"

#include <algorithm>

#include "game/key_codes.h"
#include "game/layout.h"

namespace flakmire::bench {

using testing::TestGame;

void Load::Keep(const TestGame& from) {
  const Game& g = from.g;
  now = from.now, random = from.seeded;
  scene = g.scene, troopers = g.Troopers, bullets = g.Bullets, copters = g.Copters, jets = g.Jets;
  cheats = g.cheats, levelClock = g.LevelClock, gunAngle = g.GunAngle, wind = g.Wind;
}

void Load::Restore() {
  t->now = now, t->seeded = random;
  Game& g = t->g;
  g.LastFrameTime = now - t->tick;  // a frame ago: the next frame is a fast one
  g.scene = scene, g.Troopers = troopers, g.Bullets = bullets, g.Copters = copters, g.Jets = jets;
  g.cheats = cheats, g.LevelClock = levelClock, g.GunAngle = gunAngle, g.Wind = wind;
  g.WindDrift = wind / 1000;
  g.Points = 1000000, g.Dead = false, g.FastFrame = true;
}

const Scene& Load::ToPaint() {
  Restore();
  if (unsized) RunFrame(t->g);
  return t->g.scene;
}

namespace {

// Fires at every yield and turns the gun from side to side, a step a yield (of which the level
// clock has 16 a second), so that a restored load plays on the same way each time.
void Gunner(TestGame& t) {
  t.onYield = [&g = t.g] {
    g.GunAngle = static_cast<float>(static_cast<int>(g.LevelClock * 16) % 160 - 80);
    Form_KeyDown(g, key_code::B);
  };
}

constexpr int SweepYields = 60;  // a sweep from one side to the other: 240 frames

}  // namespace

void Play(TestGame& t, const RealPlay& play, const std::function<bool(const Game&, long)>& frame) {
  t.Seed(play.seed);
  Game& g = t.g;
  g.cheats.Set(Cheat::Invincibility, true);
  g.cheats.Set(Cheat::Free, true);
  g.cheats.Set(Cheat::BigExplosions, play.bigExplosions);
  g.Points = 1000000;
  t.onYield = [&t, yield = 0]() mutable {
    t.down = {(yield++ / SweepYields) % 2 == 0 ? key_code::Right : key_code::Left};
    Form_KeyDown(t.g, key_code::X);
  };
  for (long n = 1;; ++n) {
    RunFrame(g);
    if (!frame(g, n)) return;
  }
}

int Shown(const Scene& scene) {
  int shown = 0;
  const auto count = [&shown](const auto& array) {
    for (int i = 1; i <= array.UpperBound(); ++i) shown += array[i].Visible;
  };
  count(scene.imgCopter), count(scene.imgJet), count(scene.imgTrooper), count(scene.imgBullet);
  return shown;
}

double RoundArea(const Scene& scene) {
  double area = 0;
  for (int i = 1; i <= scene.imgBullet.UpperBound(); ++i) {
    const Shape& s = scene.imgBullet[i];
    if (s.Visible) area += 3.14159265 / 4 * s.Width * s.Height;
  }
  return area;
}

namespace {

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
  load.unsized = true;
  return load;
}

// The frames of the real plays, found by bench/real_play with its defaults and --big.
constexpr RealPlay Busy{3, false}, Big{2, true};
constexpr long CrowdedFrame = 80270;   // 973 things
constexpr long DearestFrame = 102000;  // 319 things, 3.2 million px² of round shapes
constexpr long BigFrame = 85867;       // 262 things, 51.8 million px² of round shapes

struct PlayedLoads {
  Load crowded, dearest, big;
};

PlayedLoads FromPlays() {
  PlayedLoads loads;
  const TestGame& busy = *loads.crowded.t;
  Play(*loads.crowded.t, Busy, [&](const Game&, long n) {
    if (n == CrowdedFrame) loads.crowded.Keep(busy);
    if (n == DearestFrame) loads.dearest.Keep(busy);
    return n < std::max(CrowdedFrame, DearestFrame);
  });
  Play(*loads.big.t, Big, [&loads](const Game&, long n) {
    if (n == BigFrame) loads.big.Keep(*loads.big.t);
    return n < BigFrame;
  });
  return loads;
}

PlayedLoads& Played() {
  static PlayedLoads loads = FromPlays();
  return loads;
}

}  // namespace

Load& TypicalLoad() {
  static Load load = MakeTypical();
  return load;
}

Load& StressLoad() {
  static Load load = MakeStress();
  return load;
}

}  // namespace flakmire::bench

namespace flakmire::bench {

Load& CrowdedLoad() { return Played().crowded; }
Load& DearestLoad() { return Played().dearest; }
Load& BigExplosionsLoad() { return Played().big; }

}  // namespace flakmire::bench
