#include "game/jets.h"

#include "game/aircraft.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/projectiles.h"
#include "game/tags.h"

namespace flakmire {

namespace {
constexpr float Speed = 1.7f;
constexpr float LowestTop = 70;
constexpr float Health = 9;
constexpr float BombBayX = 40, BombBayY = 31;  // the middle of the jet's underside
constexpr int BombOdds = 400, BombOddsPerLevel = 39;
constexpr int SpawnOdds = 250, SpawnOddsPerLevel = 24;
}  // namespace

void CreateJet(Game& g) {
  const int i = TakeSlot(g.Jets, g.scene.imgJet);
  if (i == -1) return;
  JetData& jet = g.Jets[i];
  Sprite& sprite = g.scene.imgJet[i];
  Random& random = g.ports.random;
  jet.Active = true;
  const auto direction = static_cast<float>(Floor(random.Rnd() * 2) * 2 - 1);
  jet.XVel = direction * Speed;
  PlaceOnStartLine(jet, sprite, g.scene.imgJet[0].Picture, g.scene.imgJet2.Picture);
  jet.Y = random.Rnd() * LowestTop;
  jet.Health = g.cheats[Cheat::OneHitWonders] ? 1 : Health;
  sprite.Move(jet.X, jet.Y);
  sprite.Visible = true;
}

void DoPlanes(Game& g, bool Spawn) {
  Random& random = g.ports.random;
  const int upper = g.Jets.UpperBound();
  for (int i = 1; i <= upper; ++i) {
    if (!g.Jets[i].Active) continue;
    JetData& jet = g.Jets[i];
    FlyOn(jet, g.scene.imgJet[i]);
    // How far, along its flight, the jet's middle has passed the gun: negative on approach.
    const float passed = (jet.X + BombBayX - PivotX) * static_cast<float>(Sign(jet.XVel));
    const auto offset = static_cast<int>(RoundHalfEven(passed));
    if (g.BombMinOffset < offset && offset < g.BombMaxOffset &&
        ChanceOneIn(random, BombOdds - BombOddsPerLevel * g.Level)) {
      const int bomb = CreateBullet(g, jet.X + BombBayX, jet.Y + BombBayY, Bomb, jet.XVel);
      // The bomb carries its release offset, so that its landing can teach the jets.
      if (bomb != -1) {
        WriteTag(g.scene.imgBullet[bomb].Tag, passed);
        g.ports.sounds.Play(SoundEvent::BombRelease);
      }
    }
    g.scene.imgJet[i].Move(jet.X, jet.Y);
  }
  const bool spawnDraw = ChanceOneIn(random, SpawnOdds - SpawnOddsPerLevel * g.Level);
  if (Spawn && spawnDraw) CreateJet(g);
  TrimTopSlot(g.Jets, g.scene.imgJet);
}

}  // namespace flakmire
