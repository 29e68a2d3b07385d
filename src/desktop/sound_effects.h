#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ports/sounds.h"

typedef struct _fluid_synth_t fluid_synth_t;

namespace flakmire {

// The sound effects, played on the synth that plays the tune: each event a few General MIDI notes
// on channels the tune leaves free. Play only posts the event; the audio thread starts and ends
// the notes as it renders, so the game's thread never waits for the synth.
class SoundEffects final : public Sounds {
 public:
  static constexpr int Rate = 44100;    // the synth's sample rate
  static constexpr int MostVoices = 4;  // strokes of one event that may sound at once

  // Sets up the effects' channels on a synth with a General MIDI soundfont loaded.
  explicit SoundEffects(fluid_synth_t* synth);

  // From one thread: never blocks, never allocates. Events the audio thread has not yet taken
  // wait in a small queue; when it is full, the newest go unheard.
  void Play(SoundEvent event) override;

  // On the audio thread: starts what was played since the last call, then renders `frames` frames
  // of the whole synth, tune and effects, adding them to `left` and `right`; every note ends on
  // time. One event played several times between two calls sounds once. While muted the synth
  // plays on and the buffers hold silence.
  void Render(int frames, float* left, float* right);

  // How many times the event has sounded. On the audio thread.
  int Strokes(SoundEvent event) const { return strokes_[static_cast<std::size_t>(event)]; }

  // All sound off, or on again. Any thread.
  void SetMuted(bool muted) { muted_.store(muted, std::memory_order_relaxed); }
  bool Muted() const { return muted_.load(std::memory_order_relaxed); }

 private:
  struct Scheduled {
    std::int64_t at;                     // frame
    std::int8_t channel, key, velocity;  // velocity 0: the note ends
  };
  struct Glide {
    std::int64_t from = 0, to = 0;  // frames
    int semitones = 0;
    int bend = -1;  // as last sent
  };

  void Start(SoundEvent event);
  void Schedule(const Scheduled& s);
  void RunDue();
  void Bend();

  fluid_synth_t* synth_;
  std::array<SoundEvent, 64> queue_{};
  std::atomic<std::uint32_t> written_{0}, taken_{0};
  std::atomic<bool> muted_{false};

  // The audio thread's own.
  std::int64_t now_ = 0;  // frames rendered
  std::array<Scheduled, 128> scheduled_{};
  int scheduledCount_ = 0;
  // Until when each voice of each event is busy, in frames.
  std::array<std::array<std::int64_t, MostVoices>, SoundEventCount> busyUntil_{};
  std::array<int, SoundEventCount> strokes_{};
  std::array<Glide, 16> glides_{};  // per channel
};

}  // namespace flakmire
