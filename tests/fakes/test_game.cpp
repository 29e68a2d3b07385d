#include "fakes/test_game.h"

namespace flakmire::testing {

bool TestGame::Frame() {
  ++frames;
  const auto before = heardCount;
  const float gun = g.GunLength;
  const int level = g.Level;
  const bool dead = g.Dead, ends = RunFrame(g);
  EXPECT_EQ(OutOfStep(g), "");
  // The labels show the numbers as the frame leaves them, FREE's spending included.
  EXPECT_EQ(g.scene.Label1.Caption + " " + g.scene.Label2.Caption,
            Text("%d %d", g.Points, g.Score));
  // What is heard follows the play: a shot of its shell when the barrel recoils (to its length
  // after that shell, in the order of SoundEvent), a new level when Level goes up, the gunner's
  // death when he dies.
  const auto now = [&](SoundEvent e) { return heardCount[int(e)] - before[int(e)]; };
  const bool fired = g.GunLength != gun && g.GunLength != std::min(gun + 0.4f, 6.0f);
  constexpr float Recoil[] = {5, 4, 2, 3};
  for (int e = 0; e < 4; ++e)
    EXPECT_EQ(now(SoundEvent(e)), hearing && fired && g.GunLength == Recoil[e]) << frames;
  EXPECT_EQ(now(SoundEvent::NewLevel), hearing && g.Level > level) << "frame " << frames;
  EXPECT_EQ(now(SoundEvent::GunnerDeath), hearing && g.Dead && !dead) << "frame " << frames;
  return ends;
}

std::string OutOfStep(const Game& g) {
  std::string wrong = TableOutOfStep(g);
  const auto check = [&wrong](bool kept, const char* rule, int i) {
    if (!kept && wrong.empty()) wrong = Text("%s, slot %d", rule, i);
  };
  const Scene& s = g.scene;
  for (int i = 1; i <= g.Troopers.UpperBound(); ++i) {
    const TrooperData& t = g.Troopers[i];
    const Sprite &man = s.imgTrooper[i], &chute = s.imgPara[i];
    // The walker to a pyramid steps 0.2 px after the pass has moved his sprite.
    check(man.Visible == t.Active &&
              (!t.Active || (man.Top == t.Y && std::fabs(man.Left - t.X) < 0.21f)),
          "a trooper shows, where he is, exactly while alive", i);
    check(chute.Visible == (t.Active && t.ChuteState == ChuteOpen) &&
              (!chute.Visible || (chute.Left == man.Left - 8 && chute.Top == man.Top - 17)),
          "a canopy shows over its trooper exactly while open", i);
  }
  const auto aircraft = [&](const auto& table, const auto& sprites, const char* rule) {
    for (int i = 1; i <= table.UpperBound(); ++i) {
      const Sprite& p = sprites[i];
      const bool on = table[i].Active;
      check(p.Visible == on && (!on || (p.Left == table[i].X && p.Top == table[i].Y)), rule, i);
    }
  };
  aircraft(g.Copters, s.imgCopter, "imgCopter shows, where it is, exactly while it flies");
  aircraft(g.Jets, s.imgJet, "imgJet shows, where it is, exactly while it flies");
  for (int i = 1; i <= g.Bullets.UpperBound(); ++i) {
    const BulletData& b = g.Bullets[i];
    const Shape& p = s.imgBullet[i];
    check(p.Visible == b.Active &&
              (!b.Active || (p.Left == b.X - p.Width / 2 && p.Top == b.Y - p.Height / 2)),
          "imgBullet shows, centred on it, exactly while its projectile is in use", i);
  }
  check(s.lnGun[0].Visible != g.Dead && s.lnGun[1].Visible != g.Dead,
        "both barrel lines show exactly while the gunner lives", 0);
  return wrong;
}

}  // namespace flakmire::testing
