#pragma once

namespace flakmire {

struct Game;

// Does a round object of this radius centred on (X, Y) touch the box? Touching edges don't
// count. With BoxOnly any overlap of the two boxes is a hit; otherwise the centre must also come
// closer to the box's centre than the radius plus the box's mean half-size.
bool IsHit(float X, float Y, float Radius, float BoxLeft, float BoxTop, float BoxWidth,
           float BoxHeight, bool BoxOnly);

// The hit tests of the shell, blood drop or explosion in slot i, of the given size, against the
// troopers, the aircraft and the gunner. Run by the projectile step after the object has moved.
void HitTests(Game& g, int i, float size);

}  // namespace flakmire
