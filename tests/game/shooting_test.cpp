// The gun, the key handler, and every kind of projectile from its start to its end.

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// Gun steps from this angle and length, the key pressed before each, the turret 10 px right, then
// keys typed into the key handler on this level. Seen: angle/length after each step, the shells
// fired (kind@x,y/life), points, the pending key, cheat panels opened, the last twelve keys, the
// kill cause, both barrel ends, the first shell. Points pay shots exactly.
struct GunRow {
  float angle = 0, length = 6;
  int key = 0, points = 10, steps = 1, level = 0;
  std::set<int> held = {};
  Cheat on = Cheat::Cheated;  // no cheat
  bool dead = false;
  std::u32string typed = U"";
  std::string seen;
};

TEST(Gun, TurnsReloadsAndFiresTheShellOfItsKeyIfThePointsPayAndKeysOpenThePanelOrEndTheLastLevel) {
  for (const GunRow& r :
       {GunRow{.key = 'V', .points = 2, .seen = " 0/4 fired 1@406,398/1000 points 0 "},
        {.key = 'C', .points = 40, .seen = " 0/2 fired 3@406,398/1000 points 0 "},
        {.key = 'X', .points = 100, .seen = " 0/3 fired 6@406,398/1000 points 0 "},
        {.key = 'X', .points = 99, .seen = " 0/6 fired points 99 "},
        // Under Rapid Fire the held keys are polled X, C, V, B: the last one held wins.
        {.points = 40, .held = {'X', 'C'}, .on = Cheat::RapidFire, .seen = "fired 3@"},
        {.held = {'B'}, .seen = "fired points 10 "},
        // The barrel grows 0.4 a frame up to 6; a key pressed before it is out is lost.
        {.length = 5, .key = 'B', .steps = 4, .seen = " 0/5.4 0/5.8 0/5 0/5.4 fired 0@"},
        {.angle = -118, .steps = 3, .held = {key_code::Left}, .seen = " -119/6 -120/6 -120/6 "},
        {.angle = 119, .steps = 2, .held = {key_code::Right}, .seen = " 120/6 120/6 "},
        {.angle = 5, .held = {key_code::Left, key_code::Right}, .seen = " 5/6 "},
        {.key = 'B', .held = {key_code::Left}, .dead = true, .seen = " 0/6 fired points 10 "},
        // 6 px a unit of length from the turret's centre, GunAngle / 90 rad from straight up; a
        // shell leaves the muzzle along the barrel.
        {.angle = 30, .seen = "barrel 417.78,399.98 417.78,399.98"},
        {.angle = 90, .key = 'B', .seen = "k0 436.293,414.549 v4.20735,-2.70151 "},
        // The last twelve keys make the cheat word in any case; a code beyond a byte breaks it.
        {.typed = U"QZShowMeTRICKS", .seen = "key 83 panel 1 '' cause ''"},
        {.typed = U"SHOWME\u0141TRICKS", .seen = std::string("panel 0 'HOWME\0TRICKS'", 22)},
        // The tilde kills the gunner on the last level only; an invincible one it only marks.
        {.level = 9, .typed = U"\u00c0", .seen = "key 192 panel 0 '           \xc0' cause ''"},
        {.level = 10, .on = Cheat::Invincibility, .typed = U"\u00c0", .seen = "'4' dead 0"}}) {
    TestGame t;
    t.g.GunAngle = r.angle, t.g.GunLength = r.length, t.g.Points = r.points, t.down = r.held;
    t.g.cheats.Set(r.on, true), t.g.scene.shpTurret.Left += 10, t.g.Level = r.level;
    if (r.dead) BeKilled(t.g);
    std::string seen;
    for (int step = 0; step < r.steps; ++step)
      t.g.FireKey = r.key, DoGun(t.g), seen += Text(" %g/%g", t.g.GunAngle, t.g.GunLength);
    for (char32_t c : r.typed) Form_KeyDown(t.g, static_cast<int>(c));
    seen += " fired" + InUse(t.g) +
            Text(" points %d key %d panel %d '", t.g.Points, t.g.FireKey, t.cheatPanels) +
            t.g.KeyBuffer + "' cause '" + t.g.DeathMethod + Text("' dead %d", t.g.Dead);
    const Line* gun = t.g.scene.lnGun.data();
    seen += Text(" barrel %.2f,%.2f %.2f,%.2f", gun[0].X2, gun[0].Y2, gun[1].X2, gun[1].Y2);
    if (t.g.Bullets.UpperBound()) seen += " " + Bullet(t.g, 1);
    EXPECT_THAT(seen, HasSubstr(r.seen));
  }
}

// A projectile made at (100, y) along the angle under a cheat, with this life and fall, after
// passes in a wind of 0.01: its start for its kind, its flight, its size and colour by life, and
// its end.
TEST(Projectiles, EachKindStartsFliesGrowsAndEndsItsOwnWay) {
  const float sixth = static_cast<float>(Pi / 6), down = static_cast<float>(Pi);
  const Cheat none = Cheat::Cheated, big = Cheat::BigExplosions;
  for (auto [kind, angle, y, life, fall, cheat, passes, seen] :
       {std::tuple{-1, 0.0f, 200.0f, 21, 0.0f, big, 1, "L20 140x140 255,77,0/207,118,127"},
        {0, sixth, 200.0f, 0, 0.0f, none, 0, "v2.5,-4.33013 L330 9x9 192,192,192/128,128,128"},
        {2, sixth, 200.0f, 0, 0.0f, none, 0, "k2 100,200 v0.2,-0.866025 L150 5x5 222,0,0/111,0,0"},
        {5, -3.0f, 200.0f, 0, 0.0f, none, 2, "k5 94.03,200.03 v-2.98,0.02 L6 15x15 0,0,128/0,0,64"},
        {5, -3.0f, 200.0f, 0, 0.0f, Cheat::OneHitWonders, 0, "k5 100,200 v-3,0 L1 "},
        {-1, 0.0f, 200.0f, 151, 3.0f, none, 1, "v0,3 L150 140x140 255,255,55/207,207,155"},
        {-1, 0.0f, 200.0f, 0, 0.0f, none, 0, "k-1 100,200 v0,0 L300 49x1 255,240,0/207,200,127"},
        {-2, 0.0f, 200.0f, 0, 0.0f, none, 0, "k-2 100,200 v0,0 L300 49x1 192,192,192/128,128,128"},
        {-2, 0.0f, 200.0f, 151, 0.0f, none, 1, "L150 140x140 127,127,27/143,143,141"},
        {1, 0.0f, -92.04f, 0, 0.0f, none, 1, "L0 4x4 free hidden"},
        {1, 0.0f, -92.02f, 0, 0.0f, none, 1, "k1 100.01,-99.99 v0.01,-7.97 L999 4x4 "},
        {0, down, 489.5f, 0, 0.0f, none, 1, "L0 8.99995x8.99995 free hidden"},
        {0, down, 489.4f, 0, 0.0f, none, 1, "k0 100.01,494.43 v0.00999956,5.03 L329 "},
        {6, 0.0f, 480.0f, 0, 4.0f, none, 2, "k-2 100.03,488.09 v0.02,4.06 L30 15x15 "}}) {
    TestGame t;
    t.g.FastFrame = true, t.g.WindDrift = 0.01f, t.queue = {0.5f}, t.g.cheats.Set(cheat, true);
    ASSERT_EQ(t.Make(kind, 100, y, angle), 1);
    if (life) t.g.Bullets[1].Life = life;
    if (fall) t.g.Bullets[1].YVel = fall;
    for (int pass = 0; pass < passes; ++pass) DoBullets(t.g);
    // The sprite's place, centred on the projectile, is checked at every test's end.
    std::string shown = Bullet(t.g, 1);
    EXPECT_THAT(shown.erase(shown.find(" @"), shown.rfind(' ') - shown.find(" @")),
                HasSubstr(seen));
  }
}

// A projectile {kind, x, y, life, fall}, made whatever the points; a life or a fall of 0 is as
// made, a life below 0 frees the slot once all are made.
using Shot = std::array<float, 5>;

// One pass, in a frame this long, over these shots, above a trooper standing at this x if any.
// Seen: "slots points earned D<cause> if the gunner died:" the projectiles in use, and whether the
// trooper lives.
std::string Pass(const std::vector<Shot>& shots, double frameMs = 16, float standing = 0) {
  TestGame t;
  t.g.FastFrame = frameMs <= 40, t.g.FrameMs = frameMs;
  for (auto [kind, x, y, life, fall] : shots) {
    BulletData& b = t.g.Bullets[t.Make(static_cast<int>(kind), x, y)];
    b.Life = life ? static_cast<int>(life) : b.Life, b.YVel = fall ? fall : b.YVel;
  }
  for (std::size_t i = 1; i <= shots.size(); ++i)
    if (shots[i - 1][3] < 0) t.g.Bullets[i].Active = t.g.scene.imgBullet[i].Visible = false;
  if (standing) t.Put({true, standing, StandingY, 0, 0, ChuteGone});
  t.g.Points = 0, DoBullets(t.g);
  const std::string trooper = !standing ? "" : t.g.Troopers[1].Active ? " +" : " -";
  return Text("%d %d", t.g.Bullets.UpperBound(), t.g.Points) +
         (t.g.Dead ? " D" + t.g.DeathMethod : "") + ":" + InUse(t.g) + trooper;
}

// A life running out ends the pass; then the top eleven slots go if all are free and one stays.
TEST(Projectiles, ThePassEndsWhereALifeRunsOutAndTheTableShrinksByEleven) {
  for (auto [slots, used, seen] : {std::tuple{22, std::vector{1, 2}, "11 0: 0@100,200/330"},
                                   {22, {2, 12}, "22 0: 0@100,195.03/329 0@100,195.03/329"},
                                   {11, {}, "11 0:"}}) {
    std::vector<Shot> shots(slots, {StandardShell, 100, 200, -1});  // all free
    for (int i : used) shots[i - 1][3] = i == 1;  // the first in use ends the pass
    EXPECT_EQ(Pass(shots), seen);
  }
}

// Over 400 ms a frame, a fireball within 2 px of an earlier explosion, with under 1.1 times its
// life, is dropped.
TEST(Projectiles, VerySlowFramesThinFireballsLyingOnEachOther) {
  const Shot smoke{SmokeExplosion, 300, 200, 100};  // 99 after the pass
  EXPECT_EQ(Pass({smoke, {-1, 301.9f, 198.1f, 108}}, 401), "2 0: -2@300,200/99");
  EXPECT_EQ(Pass({smoke, {-1, 301.9f, 198.1f, 108}}, 400), "2 0: -2@300,200/99 -1@301.9,198.1/107");
  EXPECT_EQ(Pass({smoke, {-2, 301.9f, 198.1f, 108}}, 401), "2 0: -2@300,200/99 -2@301.9,198.1/107");
  EXPECT_EQ(Pass({smoke, {-1, 302, 200, 108}}, 401), "2 0: -2@300,200/99 -1@302,200/107");
  EXPECT_EQ(Pass({smoke, {-1, 300, 198, 108}}, 401), "2 0: -2@300,200/99 -1@300,198/107");
  EXPECT_EQ(Pass({smoke, {-1, 300, 200, 109}}, 401), "2 0: -2@300,200/99 -1@300,200/108");
}

// A still bomb with this life, and maybe a projectile beside it, after a pass (seen as in Pass).
TEST(Bomb, KillsTheGunInsideItsZoneAndEachKindOfShellDoesItsOwnDamage) {
  const float still = -0.01f;  // against the bomb's gravity
  const Shot bomb{Bomb, 300, 200, 6, still};
  // Over the gun, strictly between 376 and 416, it kills the gunner and bursts.
  EXPECT_EQ(Pass({{Bomb, 376, 440, 6, still}}), "1 0: 5@376,440/6");
  EXPECT_EQ(Pass({{Bomb, 376.5f, 440, 6, still}}), "3 0 D2: -1@396,440/300 -1@376.5,440/30");
  EXPECT_EQ(Pass({{Bomb, 416, 440, 6, still}}), "1 0: 5@416,440/6");
  // The bomb's reach is half the two sizes: 12 for a standard shell.
  EXPECT_EQ(Pass({bomb, {0, 312, 200}}), "2 0: 5@300,200/6 0@312,195.03/329");
  // A shell it meets is gone for 30 points and takes 1, 3 or 4 of its 6 lives (a heavy one
  // bursting); at 0 it bursts for 30 frames; smoke blows it apart into smoke. Blood and bombs pass.
  EXPECT_EQ(Pass({bomb, {1, 305, 200}}), "2 30: 5@300,200/3");
  EXPECT_EQ(Pass({{Bomb, 300, 200, 1, still}, {0, 305, 200}}), "2 30: -1@300,200/29");
  EXPECT_EQ(Pass({bomb, {3, 305, 200}}), "2 30: 5@300,200/2 -1@305,200/299");
  EXPECT_EQ(Pass({bomb, {-2, 320, 200}}), "3 0: -2@320,200/299 -2@300,200/300");
  EXPECT_EQ(Pass({bomb, {2, 301, 200}}), "2 0: 5@300,200/6 2@301,199.03/149");
  EXPECT_EQ(Pass({bomb, {5, 301, 200}}), "2 0: 5@300,200/6 5@301,200.01/6");
}

// A bomb with this tag landing at x + xvel. Seen: the left and the right pole's marks, the
// bombing window. The pole on its side of the gun walks to it if it lands nearer the gun. Landed
// beyond the gun in its flight, it lowers the window's top to its offset; short, it raises the
// bottom; never widening the window.
TEST(Bomb, LandingMarksTheClosestImpactsAndNarrowsTheBombingWindow) {
  for (auto [x, xvel, tag, seen] :
       {std::tuple{501.0f, -1.0f, "-150", "64,500 -150..1000"},  // right, short
        {299.0f, 1.0f, "-1200", "300,728 -1000..1000"},          // left, short, outside
        {499.0f, 1.0f, "1200", "64,500 -1000..1000"},            // right, beyond, outside
        {299.0f, -1.0f, "80", "298,728 -1000..80"},              // left, beyond
        {29.0f, 1.0f, "-150", "64,728 -150..1000"},              // past the left pole
        {299.1f, 0.5f, "-149.5", "299,728 -150..1000"},          // floor; even
        {395.9f, 0.5f, "50", "64,396 50..1000 -1@396,440/300"},  // 0.4 past: on the gun
        {759.0f, 1.0f, "", "64,728 -1000..1000"},  // past the right pole, no jet's bomb
        {499.0f, 1.0f, "12abc", "64,500 -1000..1000"}}) {
    TestGame t;
    t.Make(Bomb, x, 488, xvel), t.g.scene.imgBullet[1].Tag = tag, DoBullets(t.g);
    const std::string window = Text(" %d..%d", t.g.BombMinOffset, t.g.BombMaxOffset);
    EXPECT_EQ(t.g.scene.lnFlagPole[1].Tag + "," + t.g.scene.lnFlagPole[2].Tag + window + InUse(t.g),
              seen + Text(" -1@%g,488.01/30", x + xvel));
  }
}

// A heavy shell bursting on the ground over the gun, maybe above a standing trooper, with slot 1
// free below it or its own slot the lowest free. A burst elsewhere waits for the next frame and the
// freed shell hits nobody; a burst in the shell's own slot takes over its turn. The gunner lives.
TEST(Projectiles, AShellThatBurstOnTheGroundKillsNoMore) {
  const Shot heavy{HeavyShell, 390, 487, 0, 1}, freed{StandardShell, 100, 100, -1};
  EXPECT_EQ(Pass({heavy}), "1 0: -1@390,488.03/30");
  EXPECT_EQ(Pass({freed, heavy}), "2 0: -1@390,488.03/30");
  EXPECT_EQ(Pass({heavy}, 48, 382), "2 5: -1@390,488.03/30 -");
  EXPECT_EQ(Pass({freed, heavy}, 48, 382), "2 0: -1@390,488.03/30 +");
}

}  // namespace
}  // namespace flakmire::testing
