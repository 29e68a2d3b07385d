#pragma once

namespace flakmire {

struct Game;

// The gun and the player's keys.

// True while the key is down, as the main window's processed key events tell.
bool IsKeyDown(const Game& g, int nVirtKey);

// The gun step of a frame: turn, reload, fire the pending fire key.
void DoGun(Game& g);

// The points a shot of this fire key costs; 0 for a key that fires nothing.
int ShotCost(int keyCode);

// A key went down on the main window (also each repeat of a held key).
void Form_KeyDown(Game& g, int KeyCode);

constexpr float MaxGunAngle = 120;  // 1/90 rad either side of straight up
constexpr float FullGunLength = 6;  // the barrel is 6 x GunLength px long

}  // namespace flakmire
