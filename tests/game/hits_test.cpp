// What shells, blood and explosions hit: troopers, canopies, aircraft and the gunner himself.

#include "game/hits.h"

#include "fakes/test_game.h"

namespace flakmire::testing {
namespace {

// "kind x,y vXVel,YVel" (1,-5 by default) in slot 1 of a full-sized table, among four troopers
// (open canopies at 300 and 120, down at 395, none yet at 390, down), a helicopter (3) and a jet
// (9). Seen: their health, the points, each chute ("-" gone), the objects in use (a blood drop "b"
// with its degrees, 4.5 left of its way) and "D" with the kill cause.
std::string Hit(const char* row) {
  SCOPED_TRACE(row);  // for what the sprites show, checked as the game goes
  float kind, sx, sy, vx = 1, vy = -5;
  std::sscanf(row, "%f %f,%f v%f,%f", &kind, &sx, &sy, &vx, &vy);
  TestGame t;
  t.g.FastFrame = true, t.g.FrameMs = 52, t.fallback = 0.1f;  // one drop a spurt
  for (float x : {300, 120, 390, 395}) t.Put({true, x, x < 390 ? x : 463, 0, 0, x == 390 ? 0 : 1});
  CreateCopter(t.g), CreateJet(t.g), t.Make(kind, sx, sy);
  t.g.Copters[1] = {100, 100, true, 1, 3}, t.g.Jets[1] = {100, 100, true, 1.7f, 9};
  t.g.scene.imgCopter[1].Move(100, 100), t.g.scene.imgJet[1].Move(100, 100);
  while (t.g.Bullets.UpperBound() < 1024) t.Make(StandardShell, -500, 0);
  t.g.Bullets[1].XVel = vx, t.g.Bullets[1].YVel = vy, t.g.Points = 0;
  HitTests(t.g, 1, kind < 0 ? 40 : t.g.scene.imgBullet[1].Width);
  std::string seen = Text("C%g J%g P%d ", t.g.Copters[1].Health, t.g.Jets[1].Health, t.g.Points);
  for (int j = 1; j <= 4; ++j)
    seen += "-012"[t.g.Troopers[j].Active * (1 + t.g.Troopers[j].ChuteState)];
  for (int i = 1; i <= t.g.Bullets.UpperBound(); ++i)
    if (const BulletData& b = t.g.Bullets[i]; b.Active && b.X != -500)
      seen += b.Kind == BloodDrop ? Text(" b%.2g", std::atan2(b.XVel / 0.4, -b.YVel) * 180 / Pi)
                                  : Text(" %d@%g,%g L%d", b.Kind, b.X, b.Y, b.Life);
  return seen + (t.g.Dead ? " D" + t.g.DeathMethod : "");
}

TEST(Hits, KillTroopersPopCanopiesDamageAircraftAndKillTheGunnerUnderHisOwnShell) {
  // A shell hits one trooper, then still the aircraft behind; blood sprays up its way.
  EXPECT_EQ(Hit("0 300,326"), "C3 J9 P5 -101 b6.8");
  EXPECT_EQ(Hit("0 411.5,475"), "C3 J9 P5 110-");
  EXPECT_EQ(Hit("0 321.5,291"), "C3 J9 P0 1101 0@321.5,291 L330");
  EXPECT_EQ(Hit("0 128,137.5 v3,4"), "C2 J9 P6 1-01 b32");
  EXPECT_EQ(Hit("1 110,110"), "C0 J6 P17 1101 -1@132,120 L280");
  // From above, a canopy goes and the shell flies on.
  EXPECT_EQ(Hit("0 308,278"), "C3 J9 P5 2101 0@308,278 L330");
  // Heavy shells burst beside the shell, big ones on the trooper; both on aircraft.
  EXPECT_EQ(Hit("3 128,130"), "C3 J9 P7 1-01 -1@136,142 L290 b6.8 -1@132,120 L300 -1@140,116 L290");
  EXPECT_EQ(Hit("6 128,130"),
            "C-97 J-1 P35 1-01 -2@128,132 L290 b6.8 -2@132,120 L280 -1@132,120 L280 -2@140,116 "
            "L290 -1@140,116 L291");
  EXPECT_EQ(Hit("2 128,130"), "C3 J9 P0 1101");
  // A shell passing over a trooper's head takes away only a canopy he has.
  EXPECT_EQ(Hit("0 382.4,447"), "C3 J9 P0 1101 0@382.4,447 L330");
  // An explosion must reach into the middle; it stays and bleeds troopers any way.
  EXPECT_EQ(Hit("-1 134,102.5"), "C2.92 J8.975 P0 1101 -1@134,102.5 L300");
  EXPECT_EQ(Hit("-1 110,110"), "C2.92 J8.975 P5 1-01 -1@110,110 L300 b18");
  // Smoke brings down any aircraft, and leaves smoke where a trooper died.
  EXPECT_EQ(Hit("-2 110,110"),
            "C-97 J-1 P35 1-01 -2@110,110 L300 -2@128,132 L290 b18 -2@132,120 L280 -1@132,120 L280 "
            "-2@140,116 L290 -1@140,116 L291");
  // His own heavy or big shell over the gun (376 < x < 406, y > 424) kills the gunner,
  // unless it was spent on a trooper.
  EXPECT_EQ(Hit("3 405.9,437.5"), "C3 J9 P0 1101 3@405.9,437.5 L1 -1@396,440 L300 D3");
  EXPECT_EQ(Hit("3 376.5,424.5"), "C3 J9 P0 1101 3@376.5,424.5 L1 -1@396,440 L300 D3");
  EXPECT_EQ(Hit("3 376,424.5"), "C3 J9 P0 1101 3@376,424.5 L1000");
  EXPECT_EQ(Hit("3 390,424"), "C3 J9 P0 1101 3@390,424 L1000");
  EXPECT_EQ(Hit("3 406,438"), "C3 J9 P5 1102 3@406,438 L1000");
  EXPECT_EQ(Hit("3 398,470"), "C3 J9 P5 11-1 -1@406,482 L290");
}

}  // namespace
}  // namespace flakmire::testing
