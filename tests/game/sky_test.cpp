// Helicopters, jets and what they release, the odds up there, and the troopers' fall to the end.

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// Draws that give round numbers: (1/32)^0.2 x 2 = 1 px a frame; floor(2u) x 2 - 1 is the direction.
constexpr float SpeedOne = 1.0f / 32, Rightwards = 0.7f, Leftwards = 0.2f;

// Slot 1 made from these draws under One Hit Wonders or not, and slot 2 above it: each draws its
// speed, then its direction, then its height; a speed of 0 (here -0) is redrawn. Then slot 1 comes
// a step short of x and flies, drawing 0 for a drop or a bomb: aircraft leave one float beyond a
// start line (the one above keeps its slot); a helicopter still draws for a drop as it leaves,
// and the trooper jumps from its door with its speed. Seen: slot 1 as made | its left after the
// step | the trooper dropped. The sprite stands where the record is, which every test's end checks.
TEST(Aircraft, StartOnTheLineOfTheirWayFacingItAndLeaveOnlyBeyondEitherLine) {
  const float pastLeft = std::nextafter(-150.0f, -1e3f), pastRight = std::nextafter(944.0f, 1e3f);
  for (auto [jet, oneHit, draws, x, seen] :
       {std::tuple{false, true, std::deque{0.5f, Leftwards, 0.0f}, pastLeft,
                   "v-1.7411 hp1: 944,0 65x41 2 | -150 hidden | -126,12 v-1.7411,0 c0 p0 ++-"},
        {false, false, std::deque{0.0f, Leftwards, SpeedOne, Rightwards, 0.25f}, 944.0f,
         "v1 hp15: -150,42.5 65x41 1 | 944 | 968,54.5 v1,0 c0 p0 ++-"},
        {true, false, {Rightwards, 0.5f}, pastRight, "v1.7 hp9: -150,35 81x33 3 | 944 hidden"},
        {true, true, {Leftwards, 0.25f}, -150.0f, "v-1.7 hp1: 944,17.5 81x33 4 | -150"}}) {
    TestGame t;
    t.queue = draws, t.g.cheats.Set(Cheat::OneHitWonders, oneHit);
    for (int i = 0; i < 2; ++i) jet ? CreateJet(t.g) : CreateCopter(t.g);
    const Sprite& sprite = jet ? t.g.scene.imgJet[1] : t.g.scene.imgCopter[1];
    std::string made;
    auto enter = [&](auto& a) { made = Text("v%g hp%g: ", a.XVel, a.Health), a.X = x - a.XVel; };
    jet ? enter(t.g.Jets[1]) : enter(t.g.Copters[1]);
    made += Describe(sprite) + " | ", t.queue = {0};  // a drop, or a bomb
    jet ? DoPlanes(t.g, false) : DoCopters(t.g, false);
    made += Text("%g%s", sprite.Left, sprite.Visible ? "" : " hidden") +
            (jet ? "" : " | " + Soldier(t.g, 1));
    EXPECT_EQ(made, seen);
  }
}

// Every "1 in N" event happens on a draw just below 1 / N, not above it. On the last level N is
// the first level's odds less ten steps: 450 - 10 x 43 for a drop, 250 - 10 x 24 for a helicopter
// or a jet, 400 - 10 x 39 for a bomb.
TEST(Aircraft, EachRandomEventHasItsOddsOnTheLastLevel) {
  for (int row = 0; row < 8; ++row) {
    const int event = row / 2;  // a drop, a helicopter, a bomb, a jet: 1 in 20, 10, 10, 10
    TestGame t;
    if (event % 2 == 0) event ? CreateJet(t.g) : CreateCopter(t.g);
    t.g.Level = LastLevel, t.queue = {(row % 2 ? 1.001f : 0.999f) / (event ? 10 : 20)};
    event < 2 ? DoCopters(t.g, event == 1) : DoPlanes(t.g, event == 3);
    const int made[] = {t.g.Troopers.UpperBound(), t.g.Copters.UpperBound(),
                        t.g.Bullets.UpperBound(), t.g.Jets.UpperBound()};
    EXPECT_EQ(made[event], row % 2 == 0) << "event " << event << " row " << row;
  }
}

// The offset, how far the jet's middle is past the gun, rounds half to even for the window and is
// tagged unrounded; the bomb leaves the jet's underside at its speed. Seen: draws, tag, bomb.
TEST(Aircraft, JetsBombOnlyStrictlyInsideTheWindowTaggingTheOffset) {
  for (auto [xVel, x, min, max, seen] :
       {std::tuple{1.7f, 336.0f, -21, -19, "2 -20 k5 376,51 v1.7,0"},  // 20 short
        {1.7f, 336.0f, -20, 1000, "1"},                                // on a limit: no draw
        {1.7f, 336.0f, -1000, -20, "1"},
        {-1.7f, 376.0f, -20, 0, "1"},
        {1.7f, 336.5f, -21, -19, "2 -19.5 k5 376.5,51 v1.7,0"},
        {-1.7f, 206.0f, -1000, 1000, "2 150 k5 246,51 v-1.7,0"}}) {
    TestGame t;
    CreateJet(t.g), t.draws = 0, t.queue = {0};
    t.g.Jets[1].XVel = xVel, t.g.Jets[1].X = x - xVel, t.g.Jets[1].Y = 20;
    t.g.BombMinOffset = min, t.g.BombMaxOffset = max, DoPlanes(t.g, false);
    std::string bomb = Text("%d", t.draws);
    if (t.g.Bullets.UpperBound()) bomb += " " + t.g.scene.imgBullet[1].Tag + " " + Bullet(t.g, 1);
    EXPECT_EQ(bomb.substr(0, bomb.find(" L")), seen) << xVel << " " << x << " " << min;
  }
  TestGame t;  // only a full projectile table refuses a bomb, which then tags nothing
  while (t.g.Bullets.UpperBound() < MaxSlots) t.Make(StandardShell, -500, 0);
  std::string& top = t.g.scene.imgBullet[MaxSlots].Tag = "top";
  CreateJet(t.g), t.queue = {0}, DoPlanes(t.g, false);  // the jet drawn, then its bomb
  // A bomb not made is not heard.
  const int heard = t.heardCount[int(SoundEvent::BombRelease)];
  EXPECT_EQ(top + Text(" %d %d", t.g.Bullets.UpperBound(), heard), Text("top %d 0", MaxSlots));
}

// One trooper's frame in a wind of 0.01 under one cheat: Soldier() and the points. A step that
// kills him doesn't end his turn.
TEST(Troopers, FallOpenTheirParachutesDriftLandMeetTheWireAndDie) {
  const Cheat none = Cheat::Cheated, castle = Cheat::JumpingCastle, noChutes = Cheat::NoParachutes;
  // A man in the pyramid stands still, whatever his speed.
  for (auto [trooper, cheat, seen] :
       {std::tuple{TrooperData{true, 346, 440, 2, 1, 2, -2}, none, "346,440 v0,0 c2 p-2 ++- 10"},
        // Free fall: gravity 0.03 and the wind.
        {{true, 300, 100, 1, 0, 0}, none, "301.01,100.03 v1.01,0.03 c0 p0 ++- 10"},
        // The parachute opens once (XVel / 4, YVel) is longer than 2.2; XVel drops to a fifth.
        {{true, 300, 100, 2, 2.12f, 0}, none, "300.402,102.15 v0.402,2.15 c1 p0 +++ 10"},
        {{true, 300, 100, 0, 2.18f, 0}, noChutes, "300.01,102.21 v0.01,2.21 c0 p0 ++- 10"},
        // Touch-down at up to 2.2 is safe: he stands at 463 and packs his canopy away.
        {{true, 200, 462.5f, 1, 2.17f, 2}, none, "201,463 v0,0 c2 p0 ++- 10"},
        {{true, 200, 462.5f, 1, 0.8f, 1}, none, "201.01,463 v0,0 c2 p0 ++- 10"},
        // Faster is fatal, for 15, also when the canopy opened in this very frame.
        {{true, 200, 462, 0, 2.18f, 0}, none, "200.002,464.21 v0.002,2.21 c1 p0 --- 25"},
        // Jumping Castle: the ground throws him up, and X < 0 turns him right and X + 8 > 794
        // left, at 0.9 of his speed.
        {{true, 200, 462, 0, 3, 2}, castle, "200.01,465.03 v0.01,-2.727 c2 p0 ++- 10"},
        {{true, -1, 100, -2, 0.8f, 1}, castle, "0.791,100.8 v1.791,0.8 c1 p0 +++ 10"},
        {{true, 0, 100, -2, 0.8f, 1}, castle, "-1.99,100.8 v-1.99,0.8 c1 p0 +++ 10"},
        {{true, 786, 100, 1, 0.8f, 1}, castle, "787.01,100.8 v1.01,0.8 c1 p0 +++ 10"},
        {{true, 786.5f, 100, 1, 0.8f, 1}, castle, "785.591,100.8 v-0.909,0.8 c1 p0 +++ 10"},
        // The roof's coil (344 < X < 424, 408 <= Y < 416) pays only for a man whose canopy has
        // gone (c2), not one who has yet to open it; the edge coils (X < 56 or X > 712, from
        // Y 456) never pay.
        {{true, 380, 408, 0, 0, 2}, none, "380.01,408.03 v0.01,0.03 c2 p0 --- 25"},
        {{true, 380, 410, 0, 2.5f, 0}, none, "380.01,412.53 v0.01,2.53 c0 p0 --- 10"},
        {{true, 380, 415.9f, 0, 0.8f, 1}, none, "380.01,416.7 v0.01,0.8 c1 p0 --- 10"},
        {{true, 380, 416, 0, 0.8f, 1}, none, "380.01,416.8 v0.01,0.8 c1 p0 +++ 10"},
        {{true, 344, 410, 0, 0, 2}, none, "344.01,410.03 v0.01,0.03 c2 p0 ++- 10"},
        {{true, 424, 410, 0, 0, 2}, none, "424.01,410.03 v0.01,0.03 c2 p0 ++- 10"},
        {{true, 55.9f, 456, 0, 0.8f, 1}, none, "55.91,456.8 v0.01,0.8 c1 p0 --- 10"},
        {{true, 56, 456, 0, 0.8f, 1}, none, "56.01,456.8 v0.01,0.8 c1 p0 +++ 10"},
        {{true, 712, 460, 0, 0.8f, 1}, none, "712.01,460.8 v0.01,0.8 c1 p0 +++ 10"},
        {{true, 712.5f, 460, 0, 0.8f, 1}, none, "712.51,460.8 v0.01,0.8 c1 p0 --- 10"},
        {{true, 30, 455.9f, 0, 0.8f, 1}, none, "30.01,456.7 v0.01,0.8 c1 p0 +++ 10"},
        // The wire before the bunker spans 356 < X < 426 below Y 432. Slower than 0.4 px a frame
        // he is thrown back from it, away from 392, at 1.2 times his speed; faster, he dies.
        {{true, 355.5f, 439.2f, 0.49f, 0.8f, 1}, none, "356,440 v0.5,0.8 c1 p0 +++ 10"},
        {{true, 356, 439.2f, 0.49f, 0.8f, 1}, none, "356.5,440 v0.5,0.8 c1 p0 --- 10"},
        {{true, 426.5f, 439.2f, -0.51f, 0.8f, 1}, none, "426,440 v-0.5,0.8 c1 p0 +++ 10"},
        {{true, 426, 439.2f, -0.51f, 0.8f, 1}, none, "425.5,440 v-0.5,0.8 c1 p0 --- 10"},
        {{true, 379.5f, 431.2f, 0.49f, 0.8f, 1}, none, "380,432 v0.5,0.8 c1 p0 +++ 10"},
        {{true, 379.5f, 431.7f, 0.49f, 0.8f, 1}, none, "380,432.5 v0.5,0.8 c1 p0 --- 10"},
        {{true, 391.2f, 439.2f, 0.29f, 0.8f, 1}, none, "391.5,440 v-0.36,0.8 c1 p0 +++ 10"},
        {{true, 392.3f, 439.2f, -0.31f, 0.8f, 1}, none, "392,440 v0.36,0.8 c1 p0 +++ 10"},
        {{true, 359.61f, 439.2f, 0.38f, 0.8f, 1}, none, "360,440 v-0.468,0.8 c1 p0 +++ 10"},
        {{true, 420.4f, 439.2f, -0.41f, 0.8f, 1}, none, "420,440 v-0.4,0.8 c1 p0 --- 10"},
        // Jumping Castle throws everyone back.
        {{true, 359.5f, 439.2f, 0.49f, 0.8f, 1}, castle, "360,440 v-0.6,0.8 c1 p0 +++ 10"},
        {{true, 420.5f, 439.2f, -0.51f, 0.8f, 1}, castle, "420,440 v0.6,0.8 c1 p0 +++ 10"}}) {
    TestGame t;
    t.g.WindDrift = 0.01f, t.g.cheats.Set(cheat, true);
    // The second on top, so that a dead man's slot stays to be seen.
    t.Put(trooper), t.Put({true, 600, 100}), DoTroopers(t.g);
    EXPECT_EQ(Soldier(t.g, 1) + Text(" %d", t.g.Points), seen);
  }
}

// A fatal fall kills those standing less than 9 px beside the spot, and nobody above the ground.
// Blood leaves the dead man's feet within a quarter turn of up, and the crushed mid-body. A new
// trooper takes the dead man's slot afresh: out of any pyramid, arms held out, shown, canopy
// packed.
TEST(Troopers, AFatalFallCrushesOnlyThoseStandingRightBesideAndANewOneTakesTheSlotAfresh) {
  TestGame t;
  // Three drops for each spurt; the first drop's spread, then its side.
  t.g.FastFrame = true, t.g.FrameMs = 48, t.queue = {0.3f, 0.9f};
  t.Put({true, 200, 462, 0, 3, ChuteGone});
  for (float x : {208.9f, 191.1f, 209.0f, 191.0f}) t.Put({true, x, StandingY, 0, 0, ChuteGone});
  t.Put({true, 203, 462, 0, 0, ChuteGone}), DoTroopers(t.g);  // one not yet down
  std::string alive;
  for (int i = 1; i <= 6; ++i) alive += Soldier(t.g, i).substr(Soldier(t.g, i).size() - 3);
  EXPECT_EQ(alive + Text(" %d", t.g.Points), "---------++-++-++- 25") << "the crushed earn nothing";
  EXPECT_THAT(Bullet(t.g, 1), StartsWith("k2 208,490.03 v0.0933782,"));
  EXPECT_THAT(Bullet(t.g, 4), StartsWith("k2 216.9,475 v0.282843,"));
  t.g.Troopers[1].PyramidPos = 3, t.g.scene.imgTrooper[1].Picture = PictureId::TrooperArmsRaised;
  CreateTrooper(t.g, 100, 50, -1.5f);
  EXPECT_EQ(Soldier(t.g, 1) + Text(" %d", static_cast<int>(t.g.scene.imgTrooper[1].Picture)),
            "100,50 v-1.5,0 c0 p0 ++- 5");
}

}  // namespace
}  // namespace flakmire::testing
