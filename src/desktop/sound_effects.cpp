#include "desktop/sound_effects.h"

#include <fluidsynth.h>

#include <algorithm>
#include <bitset>

namespace flakmire {
namespace {

// A channel of the effects, 0-based: the tune has 0 to 5 and the drums on 9.
struct Channel {
  int channel;
  int program;     // General MIDI, 0-based
  int attackCut;   // timecents added to the instrument's attack: negative is sharper
  int releaseCut;  // and to its release: negative ends sooner
  int reverb;      // send, 0-127: little, so that a sound ends soon after its last note
};

enum ChannelName { Shot, Boom, Drum, Whistle, Smoke, Rotor, Dive, Voice, Hit };

constexpr Channel Channels[] = {
    {6, 127, 0, -3600, 8},        // Gun Shot, cut short: shots come by the dozen
    {7, 127, 0, -1200, 24},       // Gun Shot
    {8, 116, 0, -3600, 16},       // Taiko Drum
    {10, 72, 0, 0, 24},           // Piccolo
    {11, 122, -2400, -3600, 16},  // Seashore
    {12, 125, -3600, 0, 16},      // Helicopter
    {13, 81, 0, 0, 16},           // Saw Wave
    {14, 53, 0, -2400, 16},       // Voice Oohs
    {15, 55, 0, 0, 32},           // Orchestra Hit
};

constexpr int GlideRange = 24;  // semitones, the pitch wheel's reach on every effects channel

struct Note {
  ChannelName channel = Shot;
  int key = 0;  // 0: none
  int velocity = 0;
  int startMs = 0;
  int glide = 0;  // semitones its channel's pitch slides while it sounds, down if negative
};

struct Effect {
  int lengthMs;  // of each note
  int voices;    // at most this many strokes of the event sound at once; more go unheard. A
                 // stroke holds its voice until its notes end
  Note notes[4];
};

// In the order of SoundEvent. Shots and the troopers' ends come by the dozen: short and soft.
// Notes: channel, key, velocity, start in ms, glide.
// clang-format off
constexpr Effect Effects[SoundEventCount] = {
    {40, 3, {{Shot, 79, 100}}},                                               // StandardShot
    {30, 3, {{Shot, 91, 104}}},                                               // SmallFastShot
    {100, 2, {{Drum, 45, 90}}},                                               // HeavyShot
    {120, 2, {{Boom, 43, 110}, {Boom, 50, 110}}},                             // BigShot
    {450, 2, {{Whistle, 96, 90, 0, -12}}},                                    // BombRelease
    {200, 3, {{Drum, 36, 115}, {Boom, 48, 90}}},                              // BombBlast
    {200, 3, {{Boom, 55, 100}, {Boom, 62, 80, 40}}},                          // HeavyBlast
    {250, 2, {{Smoke, 60, 110}, {Boom, 41, 90}}},                             // BigBlast
    {700, 2, {{Boom, 50, 100}, {Rotor, 55, 120, 0, -12}}},                    // CopterCrash
    {600, 2, {{Boom, 46, 100}, {Dive, 72, 80, 0, -24}}},                      // JetCrash
    {150, 3, {{Voice, 64, 80, 0, -5}}},                                       // TrooperDeath
    {900, 1, {{Hit, 48, 100, 0, -7}, {Hit, 51, 100, 0, -7}, {Hit, 55, 100, 0, -7},
              {Drum, 36, 110}}},                                              // GunnerDeath
    {150, 1, {{Hit, 60, 80}, {Hit, 64, 80, 90}, {Hit, 67, 80, 180}, {Hit, 72, 90, 270}}},  // NewLevel
};
// clang-format on

static_assert(std::ranges::all_of(Effects, [](const Effect& e) {
  return e.voices >= 1 && e.voices <= SoundEffects::MostVoices;
}));

// Repeats of one event differ a little in loudness, so that the dozenth shot is not the first.
constexpr int VelocitySway[] = {0, -6, 4, -3};

constexpr int Slice = 64;  // frames rendered between looks at the notes due: 1.5 ms
constexpr int BendMiddle = 8192, BendTop = 16383;

constexpr std::int64_t Frames(int ms) { return std::int64_t{ms} * SoundEffects::Rate / 1000; }

}  // namespace

SoundEffects::SoundEffects(fluid_synth_t* synth) : synth_(synth) {
  for (const auto& c : Channels) {
    fluid_synth_program_change(synth_, c.channel, c.program);
    fluid_synth_set_gen(synth_, c.channel, GEN_VOLENVATTACK, static_cast<float>(c.attackCut));
    fluid_synth_set_gen(synth_, c.channel, GEN_VOLENVRELEASE, static_cast<float>(c.releaseCut));
    fluid_synth_cc(synth_, c.channel, 91, c.reverb);
    fluid_synth_pitch_wheel_sens(synth_, c.channel, GlideRange);
  }
}

void SoundEffects::Play(SoundEvent event) {
  const std::uint32_t w = written_.load(std::memory_order_relaxed);
  if (w - taken_.load(std::memory_order_acquire) >= queue_.size()) return;
  queue_[w % queue_.size()] = event;
  written_.store(w + 1, std::memory_order_release);
}

void SoundEffects::Render(int frames, float* left, float* right) {
  std::bitset<SoundEventCount> played;
  const std::uint32_t w = written_.load(std::memory_order_acquire);
  for (std::uint32_t r = taken_.load(std::memory_order_relaxed); r != w; ++r) {
    played.set(static_cast<std::size_t>(queue_[r % queue_.size()]));
  }
  taken_.store(w, std::memory_order_release);
  for (int e = 0; e < SoundEventCount; ++e) {
    if (played[static_cast<std::size_t>(e)]) Start(static_cast<SoundEvent>(e));
  }
  for (int done = 0; done < frames;) {
    RunDue();
    Bend();
    const int n = std::min(frames - done, Slice);
    float* fx[4] = {left + done, right + done, left + done, right + done};
    float* out[2] = {left + done, right + done};
    fluid_synth_process(synth_, n, 4, fx, 2, out);
    done += n;
    now_ += n;
  }
  if (Muted()) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
  }
}

void SoundEffects::Start(SoundEvent event) {
  const auto index = static_cast<std::size_t>(event);
  const Effect& e = Effects[index];
  std::int64_t& voice =
      *std::min_element(busyUntil_[index].begin(), busyUntil_[index].begin() + e.voices);
  if (voice > now_) return;  // every voice still sounds
  const int sway = VelocitySway[strokes_[index]++ % 4];
  std::int64_t end = now_;
  for (const Note& note : e.notes) {
    if (note.key == 0) continue;
    const Channel& c = Channels[note.channel];
    const auto channel = static_cast<std::int8_t>(c.channel),
               key = static_cast<std::int8_t>(note.key);
    const std::int64_t on = now_ + Frames(note.startMs), off = on + Frames(e.lengthMs);
    Schedule(
        {on, channel, key, static_cast<std::int8_t>(std::clamp(note.velocity + sway, 1, 127))});
    Schedule({off, channel, key, 0});
    glides_[static_cast<std::size_t>(c.channel)] = {on, off, note.glide, -1};
    end = std::max(end, off);
  }
  voice = end;
}

void SoundEffects::Schedule(const Scheduled& s) {
  if (scheduledCount_ == static_cast<int>(scheduled_.size())) return;
  scheduled_[static_cast<std::size_t>(scheduledCount_++)] = s;
}

// Starts and ends the notes whose time has come. A note struck again while it sounds is ended
// only by its latest end, not cut short by the end meant for the stroke before.
void SoundEffects::RunDue() {
  for (int i = 0; i < scheduledCount_;) {
    const Scheduled s = scheduled_[static_cast<std::size_t>(i)];
    if (s.at > now_) {
      ++i;
      continue;
    }
    scheduled_[static_cast<std::size_t>(i)] =
        scheduled_[static_cast<std::size_t>(--scheduledCount_)];
    if (s.velocity == 0) {
      bool later = false;
      for (int j = 0; j < scheduledCount_; ++j) {
        const Scheduled& o = scheduled_[static_cast<std::size_t>(j)];
        later |= o.velocity == 0 && o.channel == s.channel && o.key == s.key && o.at > s.at;
      }
      if (!later) fluid_synth_noteoff(synth_, s.channel, s.key);
    } else {
      fluid_synth_noteon(synth_, s.channel, s.key, s.velocity);
    }
  }
}

// Slides the pitch of each channel along the glide of its latest note; straight for a note
// without one.
void SoundEffects::Bend() {
  for (std::size_t c = 0; c < glides_.size(); ++c) {
    Glide& g = glides_[c];
    if (g.to <= g.from) continue;
    const double done = std::clamp(
        static_cast<double>(now_ - g.from) / static_cast<double>(g.to - g.from), 0.0, 1.0);
    const int bend = std::clamp(
        BendMiddle + static_cast<int>(g.semitones * done * BendMiddle / GlideRange), 0, BendTop);
    if (bend == g.bend) continue;
    g.bend = bend;
    fluid_synth_pitch_bend(synth_, static_cast<int>(c), bend);
  }
}

}  // namespace flakmire
