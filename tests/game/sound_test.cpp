// What the player hears: each sound in the frame of its event and at no other time; and a game
// that hears plays exactly as one that does not.

#include <functional>
#include <random>

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

const float Down = static_cast<float>(Pi);  // an angle that fires straight down

// A game put in place by `set`, then `frames` frames. Heard: "frame Sound, " for each sound.
struct Heard {
  const char* rule;
  std::function<void(TestGame&)> set;
  const char* heard;
  int frames = 1;
};

TEST(Sounds, AreHeardInTheFrameOfTheirEventOnly) {
  const auto fire = [](int key, int points) {
    return [=](TestGame& t) { t.g.FireKey = key, t.g.GunLength = 6, t.g.Points = points; };
  };
  const auto shell = [](int kind, float x, float y, float angle = 0, int bomb = 0) {
    return [=](TestGame& t) {
      if (bomb) t.Make(Bomb, x, y), t.g.Bullets[1].Life = bomb;
      t.Make(kind, x, y, angle);
    };
  };
  const auto aircraft = [](bool jet, float health, int kind) {
    return [=](TestGame& t) {
      if (jet) CreateJet(t.g), t.g.Jets[1] = {100, 100, true, 1.7f, health};
      if (!jet) CreateCopter(t.g), t.g.Copters[1] = {100, 100, true, 1, health};
      t.Make(kind, 130, 130);
    };
  };
  const auto trooper = [](TrooperData m, int kind = -9) {
    return [=](TestGame& t) {
      t.Put(m), t.Put({true, 205, StandingY, 0, 0, ChuteGone});
      if (kind != -9) t.Make(kind, m.X + 8, m.Y + (kind < 0 ? 12 : 30));  // below, or on him
    };
  };
  const auto level = [](int level, bool dead = false) {
    return [=](TestGame& t) {
      t.g.Level = level, t.g.LevelClock = 8, t.g.Dead = dead;
      t.g.scene.lnGun[0].Visible = t.g.scene.lnGun[1].Visible = !dead;
    };
  };
  for (const Heard& r : {
           Heard{"B fires a standard shell", fire('B', 1), "1 StandardShot, "},
           {"V a small fast one", fire('V', 2), "1 SmallFastShot, "},
           {"C a heavy one", fire('C', 40), "1 HeavyShot, "},
           {"X a big one", fire('X', 100), "1 BigShot, "},
           {"a shot the points can't pay for is not made", fire('X', 99), ""},
           {"a jet lets a bomb go",
            [](TestGame& t) {
              CreateJet(t.g), t.queue = {0.5f, 0};
            },
            "1 BombRelease, "},
           {"a bomb bursts on the ground", shell(Bomb, 100, 488.5f), "1 BombBlast, "},
           {"on the gun it kills the gunner once, and both burst", shell(Bomb, 396, 433, 0, 6),
            "1 GunnerDeath, 1 BombBlast, 1 BombBlast, "},
           {"a heavy shell's fire leaves a bomb alive", shell(HeavyShell, 100, 100, 0, 6),
            "1 HeavyBlast, "},
           {"a big shell blows it apart", shell(BigShell, 100, 100, 0, 6),
            "1 BigBlast, 1 BombBlast, "},
           {"a heavy shell bursts on the ground", shell(HeavyShell, 100, 486, Down),
            "1 HeavyBlast, "},
           {"a big one too", shell(BigShell, 100, 486, Down), "1 BigBlast, "},
           {"the gunner's own shell falls on him", shell(HeavyShell, 400, 430, Down),
            "1 GunnerDeath, 1 HeavyBlast, "},
           {"a helicopter's health runs out", aircraft(false, 1, StandardShell), "1 CopterCrash, "},
           {"a hit that leaves health is no crash", aircraft(false, 2, StandardShell), ""},
           {"a jet's health runs out", aircraft(true, 1, SmallFastShell), "1 JetCrash, "},
           {"a big shell downs an aircraft at once", aircraft(false, 15, BigShell),
            "1 BigBlast, 1 CopterCrash, "},
           {"a heavy shell's fire downs it later", aircraft(true, 0.03f, HeavyShell),
            "1 HeavyBlast, 3 JetCrash, ", 3},
           {"a shell kills a trooper", trooper({true, 300, 300, 0, 0, 2}, 0), "1 TrooperDeath, "},
           {"a heavy shell in fire", trooper({true, 300, 300, 0, 0, 2}, HeavyShell),
            "1 TrooperDeath, 1 HeavyBlast, "},
           {"smoke that kills makes no blast", trooper({true, 300, 300, 0, 0, 2}, SmokeExplosion),
            "1 TrooperDeath, "},
           {"the roof's wire", trooper({true, 380, 408, 0, 0, 2}), "1 TrooperDeath, "},
           {"the edge's wire", trooper({true, 30, 460, 0, 0.8f, 1}), "1 TrooperDeath, "},
           {"the bunker's wire", trooper({true, 370, 440, 1, 0, 2}), "1 TrooperDeath, "},
           {"a fatal fall, and the man it crushes", trooper({true, 200, 462, 0, 3, 2}),
            "1 TrooperDeath, 1 TrooperDeath, "},
           {"the pyramid's top reaches the gun", trooper({true, 361, 417, 0, 0, 2, -4}),
            "1 GunnerDeath, "},
           {"'~' on the last level",
            [](TestGame& t) { t.g.Level = LastLevel, Form_KeyDown(t.g, key_code::Tilde); },
            "0 GunnerDeath, ", 0},
           {"a new level", level(0), "1 NewLevel, "},
           {"the last level", level(LastLevel - 1), "1 NewLevel, "},
           {"the endless level goes round without one", level(LastLevel), ""},
           {"a dead gunner's level stays", level(3, true), ""},
       }) {
    TestGame t;
    t.listening = true;
    r.set(t);
    for (int frame = 0; frame < r.frames; ++frame) t.Frame();
    EXPECT_EQ(t.heard, r.heard) << r.rule;
  }
  TestGame t;  // no death, and nothing heard of it, under Invincibility
  t.listening = true, t.g.cheats.Set(Cheat::Invincibility, true);
  t.Make(Bomb, 396, 433), t.Frame();
  EXPECT_EQ(t.heard, "1 BombBlast, ");
}

// Two games from one seed, one of them hearing, under the same random gunner who plays run after
// run: the same draws, paints, waits and captions in the same order, and the same play, frame by
// frame.
TEST(Sounds, LeaveThePlayAsItIs) {
  TestGame heard(true, true), silent(true, false);
  std::mt19937 hands[2];
  std::string traces[2];
  const auto start = [](TestGame& t, std::mt19937& hand) {
    ResetGame(t.g);
    t.g.Level = 7, t.g.Points = 100000, t.g.LevelClock = static_cast<float>(hand() % 8);
  };
  for (int k = 0; k < 2; ++k) {
    TestGame& t = k ? silent : heard;
    t.Seed(5), start(t, hands[k]);
    t.onYield = [&t, &hand = hands[k]] {
      Form_KeyDown(t.g, "BVCX"[hand() % 4]);
      if (hand() % 8 == 0) t.down = {std::array{0, key_code::Left, key_code::Right}[hand() % 3]};
    };
  }
  for (int frame = 0; frame < 30000; ++frame) {
    for (int k = 0; k < 2; ++k) {
      TestGame& t = k ? silent : heard;
      Trace = &traces[k], t.Frame();
      if (t.g.Dead && hands[k]() % 400 == 0) start(t, hands[k]);  // Play, a while after a death
    }
    Trace = nullptr;
    ASSERT_EQ(traces[0], traces[1]) << "frame " << frame;
    ASSERT_EQ(Numbers(heard.g), Numbers(silent.g)) << "frame " << frame;
    traces[0].clear(), traces[1].clear();
  }
  for (int k = 0; k < 2; ++k) {  // the sky as it stands at the end
    const Game& g = (k ? silent : heard).g;
    for (int i = 1; i <= g.Bullets.UpperBound(); ++i) traces[k] += Bullet(g, i) + "\n";
    for (int i = 1; i <= g.Troopers.UpperBound(); ++i) traces[k] += Soldier(g, i) + "\n";
  }
  EXPECT_EQ(traces[0], traces[1]);
  std::string never;
  for (int e = 0; e < SoundEventCount; ++e) {
    if (!heard.heardCount[e]) never += SoundNames[e] + std::string(" ");
  }
  EXPECT_EQ(never, "") << "the play was too quiet to tell";
  EXPECT_EQ(silent.heardCount, decltype(silent.heardCount){});
}

}  // namespace
}  // namespace flakmire::testing
