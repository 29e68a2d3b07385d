#pragma once

#include <cstdint>

namespace flakmire {

// The records of the four entity tables. Each has an Active flag; a free slot has it false.

// What a projectile is; the table's Kind holds one of these.
enum BulletKind : std::int32_t {
  SmokeExplosion = -2,  // a grey burst, from big shells and shot-down bombs
  FireExplosion = -1,
  StandardShell = 0,
  SmallFastShell = 1,
  BloodDrop = 2,
  HeavyShell = 3,
  Bomb = 5,
  BigShell = 6,
};

struct BulletData {
  float X = 0;  // centre
  float Y = 0;
  float XVel = 0;  // pixels per frame
  float YVel = 0;  // positive is downwards
  bool Active = false;
  std::int32_t Kind = 0;
  std::int32_t Life = 0;  // frames left; for a bomb, the hits it can still take
};

struct CopterData {
  float X = 0;  // top-left corner of the sprite
  float Y = 0;
  bool Active = false;
  float XVel = 0;  // negative flies left; never 0 while flying
  float Health = 0;
};

struct JetData {
  float X = 0;  // top-left corner of the sprite
  float Y = 0;
  bool Active = false;
  float XVel = 0;  // exactly +1.7 or -1.7
  float Health = 0;
};

// A trooper's parachute.
enum ChuteState : std::int32_t {
  ChuteClosed = 0,  // not opened yet: free fall
  ChuteOpen = 1,
  ChuteGone = 2,  // shot away, or packed away on landing
};

struct TrooperData {
  bool Active = false;
  float X = 0;  // top-left corner of the soldier's sprite; Y 463 stands on the ground
  float Y = 0;
  float XVel = 0;
  float YVel = 0;
  std::int32_t ChuteState = ChuteClosed;
  std::int32_t PyramidPos = 0;  // 0 none, -1 to -4 left of the gun, +1 to +4 right of it
};

}  // namespace flakmire
