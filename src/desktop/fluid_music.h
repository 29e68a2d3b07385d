#pragma once

#include <memory>
#include <string>

#include "desktop/sound_effects.h"
#include "ports/music.h"

// FluidSynth's handles, declared here so that the rest of the game need not see fluidsynth.h.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;
typedef struct _fluid_player_t fluid_player_t;

namespace flakmire {

// Plays MIDI files and the sound effects through one FluidSynth synth on its own audio thread.
// Without a soundfont or a sound device it stays silent and says nothing.
class FluidMusic final : public Music {
 public:
  // The output level handed to FluidSynth; its own default (0.2) is too quiet next to other
  // programs. The tune is mixed to stay clear of clipping at this level.
  static constexpr double kGain = 0.4;

  // Frames the audio thread renders at a time. An effect waits at most one block to be taken up
  // and one more in the sound server's buffer: 12 ms in all, within the game's frame of 15.6 ms.
  static constexpr int kPeriodFrames = 256;

  // soundFont: a General MIDI .sf2; empty means none, so no music.
  explicit FluidMusic(const std::string& soundFont = FindSoundFont());
  ~FluidMusic() override;
  FluidMusic(const FluidMusic&) = delete;
  FluidMusic& operator=(const FluidMusic&) = delete;

  // Starts the file from its beginning, replacing whatever was playing, and returns at once.
  void PlayOnce(const std::string& midiPath) override;

  // The sound effects, on the tune's synth; silent when there is none.
  Sounds& Effects();

  // All sound off or on again, the tune included, which plays on unheard.
  void SetMuted(bool muted);
  bool Muted() const;

  // The settings the synth and its audio driver are made with.
  static fluid_settings_t* NewSettings();

  // The system's General MIDI soundfont, or empty if there is none: default-GM.sf2, then
  // TimGM6mb.sf2, then any other .sf2 (in name order).
  static std::string FindSoundFont();

 private:
  void Stop();
  // The audio driver's callback.
  static int Render(void* self, int frames, int nfx, float* fx[], int nout, float* out[]);

  std::unique_ptr<SoundEffects> effects_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  fluid_player_t* player_ = nullptr;
};

}  // namespace flakmire
