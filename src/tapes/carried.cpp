#include "tapes/carried.h"

#include "game/game.h"

namespace flakmire {

// One list of the pieces, read by both: a piece added to one side cannot be missed by the other.
template <class G, class S>
void EachPiece(G& g, S& s, auto&& move) {
  move(g.GunAngle, s.GunAngle), move(g.GunLength, s.GunLength), move(g.WindDrift, s.WindDrift);
  move(g.FrameMs, s.FrameMs), move(g.LastFrameTime, s.LastFrameTime);
  move(g.FastFrame, s.FastFrame);
  move(g.KeyBuffer, s.KeyBuffer), move(g.DeathMethod, s.DeathMethod);
  for (int i = 0; i < 3; ++i) {
    move(g.scene.lnFlagPole[i].X1, s.PoleX1[i]), move(g.scene.lnFlagPole[i].X2, s.PoleX2[i]);
    move(g.scene.shpFlag[i].Left, s.FlagLeft[i]), move(g.scene.shpFlag[i].Width, s.FlagWidth[i]);
  }
  for (int i = 0; i < 2; ++i)
    move(g.scene.lnGun[i].X2, s.GunX2[i]), move(g.scene.lnGun[i].Y2, s.GunY2[i]);
  move(g.scene.Label1.Caption, s.Points), move(g.scene.Label2.Caption, s.Score);
}

CarriedState TakeCarried(const Game& g) {
  CarriedState s;
  EachPiece(g, s, [](const auto& from, auto& to) { to = from; });
  return s;
}

void GiveCarried(Game& g, const CarriedState& s) {
  EachPiece(g, s, [](auto& to, const auto& from) { to = from; });
}

}  // namespace flakmire
