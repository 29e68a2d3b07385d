#include "game/gun.h"

#include <array>
#include <cmath>
#include <string_view>

#include "game/death.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/key_codes.h"
#include "game/pause.h"
#include "game/projectiles.h"

namespace flakmire {

namespace {

constexpr float ReloadPerFrame = 0.4f;
constexpr float BarrelPixelsPerLength = 6;

struct Weapon {
  int key;
  BulletKind kind;
  float recoil;  // GunLength drops to this after a shot
};

// In the order Rapid Fire polls them: the last held one wins.
constexpr std::array<Weapon, 4> Weapons = {{
    {key_code::X, BigShell, 3.0f},
    {key_code::C, HeavyShell, 2.0f},
    {key_code::V, SmallFastShell, 4.0f},
    {key_code::B, StandardShell, 5.0f},
}};

constexpr std::string_view CheatWord = "showmetricks";

// Each shell has a shot of its own.
SoundEvent ShotOf(BulletKind kind) {
  switch (kind) {
    case SmallFastShell: return SoundEvent::SmallFastShot;
    case HeavyShell: return SoundEvent::HeavyShot;
    case BigShell: return SoundEvent::BigShot;
    default: return SoundEvent::StandardShot;
  }
}

const Weapon* FindWeapon(int key) {
  for (const Weapon& weapon : Weapons) {
    if (weapon.key == key) return &weapon;
  }
  return nullptr;
}

// Key codes of letters are ASCII capitals. Lowered by hand rather than by std::tolower, whose
// answer depends on the process's locale: a run must not play differently on another desktop.
bool TypedCheatWord(const std::string& keys) {
  if (keys.size() != CheatWord.size()) return false;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const char c = keys[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != CheatWord[i]) return false;
  }
  return true;
}

}  // namespace

int ShotCost(int keyCode) {
  const Weapon* weapon = FindWeapon(keyCode);
  return weapon != nullptr ? ShellCost(weapon->kind) : 0;
}

bool IsKeyDown(const Game& g, int nVirtKey) { return g.ports.keys.IsDown(nVirtKey); }

void DoGun(Game& g) {
  if (g.Dead) return;

  if (g.cheats[Cheat::RapidFire]) {
    for (const Weapon& weapon : Weapons) {
      if (IsKeyDown(g, weapon.key)) g.FireKey = weapon.key;
    }
  }

  if (IsKeyDown(g, key_code::Left)) g.GunAngle -= 1;
  if (IsKeyDown(g, key_code::Right)) g.GunAngle += 1;
  if (std::fabs(g.GunAngle) > MaxGunAngle) g.GunAngle = std::copysign(MaxGunAngle, g.GunAngle);

  const Shape& turret = g.scene.shpTurret;
  const float pivotX = turret.Left + turret.Width / 2;
  const float pivotY = turret.Top + turret.Height / 2;

  g.GunLength += ReloadPerFrame;
  if (g.GunLength > FullGunLength) g.GunLength = FullGunLength;

  const double radians = g.GunAngle / 90.0;
  const auto muzzleX =
      static_cast<float>(g.GunLength * std::sin(radians) * BarrelPixelsPerLength + pivotX);
  const auto muzzleY =
      static_cast<float>(pivotY - g.GunLength * std::cos(radians) * BarrelPixelsPerLength);
  for (Line& barrel : g.scene.lnGun) {
    barrel.X2 = muzzleX;
    barrel.Y2 = muzzleY;
  }

  // A key pressed while the gun reloads is lost.
  const Weapon* weapon = g.GunLength == FullGunLength ? FindWeapon(g.FireKey) : nullptr;
  if (weapon != nullptr) {
    const int slot = CreateBullet(g, muzzleX, muzzleY, weapon->kind, g.GunAngle / 90.0f);
    // A shot the points can't pay for leaves the barrel out, ready for the next frame.
    if (slot != -1) {
      g.GunLength = weapon->recoil;
      g.ports.sounds.Play(ShotOf(weapon->kind));
    }
  }
  g.FireKey = 0;
}

void Form_KeyDown(Game& g, int KeyCode) {
  if (g.Unloaded) return;
  const EntryScope entry(g.ports.log, Entry::KeyDown, KeyCode);
  g.FireKey = KeyCode;

  if (g.Level == LastLevel && KeyCode == key_code::Tilde) {
    g.DeathMethod = '4';
    BeKilled(g);
  }

  // The last twelve keys, oldest first; a code the buffer can't hold counts as a key all the
  // same, so it still breaks the word.
  if (g.KeyBuffer.empty()) g.KeyBuffer.assign(CheatWord.size(), ' ');
  g.KeyBuffer.erase(0, 1);
  g.KeyBuffer.push_back(KeyCode >= 0 && KeyCode <= 255 ? static_cast<char>(KeyCode) : '\0');

  if (TypedCheatWord(g.KeyBuffer)) {
    g.KeyBuffer.clear();
    g.ports.dialogs.ShowCheatPanel();
  }
  if (KeyCode == key_code::P || KeyCode == key_code::Pause) TogglePause(g);
  // The title plays once: after it, Esc cuts nothing short.
  if (KeyCode == key_code::Escape) g.TitleCut = true;
}

}  // namespace flakmire
