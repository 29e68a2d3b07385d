#pragma once

namespace flakmire {

// What a player hears: one event for each thing worth a sound, reported where it happens.
enum class SoundEvent {
  StandardShot,  // the gun fired a shell of its kind
  SmallFastShot,
  HeavyShot,
  BigShot,
  BombRelease,  // a jet let a bomb go
  BombBlast,    // a bomb's end: on the ground, on the gun or shot down
  HeavyBlast,   // a heavy shell burst into fire: on the ground, a trooper, an aircraft, a bomb
  BigBlast,     // a big shell burst into smoke, the same ways
  CopterCrash,  // a helicopter's health ran out
  JetCrash,
  TrooperDeath,  // shot, burnt, on a wire, by a fall, or crushed by one
  GunnerDeath,
  NewLevel,
};

constexpr int SoundEventCount = static_cast<int>(SoundEvent::NewLevel) + 1;

// The sound effects. Play returns at once: it never waits for the sound.
class Sounds {
 public:
  virtual ~Sounds() = default;
  virtual void Play(SoundEvent event) = 0;
};

// For games that make no sound: tests of play, benchmarks, showcases.
class NullSounds final : public Sounds {
 public:
  void Play(SoundEvent) override {}
};

inline Sounds& NoSounds() {
  static NullSounds none;
  return none;
}

}  // namespace flakmire
