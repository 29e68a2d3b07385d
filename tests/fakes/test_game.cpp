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

}  // namespace flakmire::testing
