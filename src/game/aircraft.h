#pragma once

#include "game/layout.h"
#include "game/scene.h"

namespace flakmire {

// What helicopters and jets share: they come in 150 px outside one side edge, facing their way
// of flight, and are gone 150 px beyond either edge.

constexpr float StartOutside = 150;

// Puts an aircraft on the start line of its direction, its picture facing the way it flies.
template <class Aircraft>
void PlaceOnStartLine(Aircraft& a, Sprite& sprite, PictureId facingRight, PictureId facingLeft) {
  if (a.XVel < 0) {
    a.X = PlayfieldWidth + StartOutside;
    sprite.Picture = facingLeft;
  } else {
    a.X = -StartOutside;
    sprite.Picture = facingRight;
  }
}

// Moves an aircraft one frame along its line and takes it away once it is beyond a start line;
// exactly on the line it stays.
template <class Aircraft>
void FlyOn(Aircraft& a, Sprite& sprite) {
  a.X += a.XVel;
  if (a.X < -StartOutside || a.X > static_cast<float>(PlayfieldWidth + StartOutside)) {
    a.Active = false;
    sprite.Visible = false;
  }
}

}  // namespace flakmire
