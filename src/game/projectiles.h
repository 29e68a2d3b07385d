#pragma once

namespace flakmire {

struct Game;

// The one table of small round objects: shells, bombs, blood drops, fireballs and smoke.

// Starts an object of kind Bullet centred on (X, Y) and returns its slot, or -1 when nothing was
// made: a shell the points can't pay for, blood on a slow frame, or a full table. Angle is in
// radians from straight up, clockwise; for a bomb it is the bomb's horizontal speed instead.
int CreateBullet(Game& g, float X, float Y, int Bullet, float Angle);

// The points a shell of kind Bullet costs; 0 for the kinds the gun never fires.
int ShellCost(int Bullet);

// The projectile step of a frame: moves, sizes, colours and expires every object and runs its
// hit tests, then trims free slots off the top of the table.
void DoBullets(Game& g);

// A heavy or big shell bursting, heard; other kinds burst without a sound of their own.
void HearBurst(Game& g, int Bullet);

// The bomb's part of the projectile step, for the bomb in slot i.
void DoBomb(Game& g, int i);

}  // namespace flakmire
