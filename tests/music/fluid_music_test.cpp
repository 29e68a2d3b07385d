// The tune sounds throughout, and the player stays quiet without a soundfont, file or device.

#include "desktop/fluid_music.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace flakmire {
namespace {

const std::string Tune = FLAKMIRE_PROGRAM_DIR "/dropling.mid";
constexpr int Rate = 44100;

// The loudness (RMS) of each half second of the tune, rendered offline.
std::vector<double> Render(const std::string& soundFont) {
  const FluidMusic quiet("");  // silences FluidSynth's log
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.gain", FluidMusic::kGain);
  fluid_settings_setnum(settings, "synth.sample-rate", Rate);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  std::vector<double> loudness;
  if (fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED &&
      fluid_player_add(player, Tune.c_str()) == FLUID_OK && fluid_player_play(player) == FLUID_OK) {
    std::vector<float> left(Rate / 2), right(Rate / 2);
    // Up to the tune's last tick: past it the player idles a while before it calls itself done.
    while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && loudness.size() < 400) {
      const int total = fluid_player_get_total_ticks(player);
      if (total > 0 && fluid_player_get_current_tick(player) >= total) break;
      fluid_synth_write_float(synth, Rate / 2, left.data(), 0, 1, right.data(), 0, 1);
      double sum = 0;
      for (int i = 0; i < Rate / 2; ++i) sum += left[i] * left[i] + right[i] * right[i];
      loudness.push_back(std::sqrt(sum / Rate));
    }
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return loudness;
}

TEST(Dropling, SoundsFromBeginningToEndForOneToTwoMinutes) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty())
    GTEST_SKIP() << "no General MIDI soundfont (apt install timgm6mb-soundfont)";
  const std::vector<double> loudness = Render(soundFont);
  ASSERT_GE(loudness.size(), 120u);
  EXPECT_LE(loudness.size(), 240u);
  for (std::size_t i = 0; i + 1 < loudness.size(); ++i) {  // the last: the final chord dying away
    EXPECT_GT(loudness[i], 0.005) << "a gap in the music at " << i / 2.0 << " s";
  }
}

TEST(FluidMusic, SaysNothingWithoutASoundFontAFileOrASoundDevice) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  for (const std::string soundFont : {"", "/no/such.sf2", Tune.c_str() /* not a soundfont */}) {
    FluidMusic(soundFont).PlayOnce(Tune);
  }
  {
    FluidMusic music;  // this machine's soundfont, and its sound device if it has one
    music.PlayOnce("/no/such/tune.mid");
    music.PlayOnce(FLAKMIRE_SOURCE_DIR "/assets/music/dropling.tune");  // not a MIDI file
    const auto start = std::chrono::steady_clock::now();
    music.PlayOnce(Tune);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200))
        << "the game must not wait for the music";
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace flakmire
