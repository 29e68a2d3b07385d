// The tune sounds throughout, the player stays quiet without a soundfont, file or device, and the
// tune generator reports a mistake in the notes with its line and writes nothing.

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <vector>

#include "desktop/fluid_music.h"

namespace flakmire {
namespace {

const std::string Tune = FLAKMIRE_PROGRAM_DIR "/dropling.mid";
constexpr int Rate = 44100;  // FluidSynth's own sample rate

TEST(Dropling, SoundsFromBeginningToEndForOneToTwoMinutes) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty())
    GTEST_SKIP() << "no General MIDI soundfont (apt install timgm6mb-soundfont)";
  const FluidMusic quiet("");  // silences FluidSynth's log
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.gain", FluidMusic::kGain);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_synth_sfload(synth, soundFont.c_str(), 1);
  fluid_player_add(player, Tune.c_str());
  fluid_player_play(player);
  // The loudness (RMS) of each half second, rendered offline up to the tune's last tick: past it
  // the player idles a while before it calls itself done.
  std::vector<double> loudness;
  std::vector<float> frames(Rate);  // half a second, left and right interleaved
  while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
         (loudness.empty() ||
          fluid_player_get_current_tick(player) < fluid_player_get_total_ticks(player))) {
    fluid_synth_write_float(synth, Rate / 2, frames.data(), 0, 2, frames.data(), 1, 2);
    loudness.push_back(
        std::sqrt(std::inner_product(frames.begin(), frames.end(), frames.begin(), 0.0) / Rate));
  }
  delete_fluid_player(player), delete_fluid_synth(synth), delete_fluid_settings(settings);
  ASSERT_TRUE(loudness.size() >= 120 && loudness.size() <= 240) << loudness.size() / 2 << " s";
  for (std::size_t i = 0; i + 1 < loudness.size(); ++i)  // the last: the final chord dying away
    EXPECT_GT(loudness[i], 0.005) << "a gap in the music at " << i / 2.0 << " s";
}

TEST(FluidMusic, SaysNothingWithoutASoundFontAFileOrASoundDevice) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  for (const std::string soundFont : {"", "/no/such.sf2", Tune.c_str() /* not a soundfont */})
    FluidMusic(soundFont).PlayOnce(Tune);
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

TEST(MakeTune, ReportsAMistakeWithItsLineAndWritesNothing) {
  const std::string dir = ::testing::TempDir() + "make_tune." + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  const std::string tune = dir + "/in.tune", out = dir + "/out.mid", errors = dir + "/errors";
  // A bar on line 4, and what is said of it.
  for (auto [bar, says] : {std::pair{"lead | H4/1 |", "4: error: unknown note 'H4'"},
                           {"lead | C4/4 C4/4 C4/4 |",
                            "4: error: bar 1 on this line lasts 3 quarter notes instead of 4"},
                           {"drum | C4/1 |", "4: error: 'drum' is not a track"}}) {
    std::ofstream(tune) << "track lead channel 1\ntrack bass channel 2\nsection a\n"
                        << bar << "\nplay a\n";
    const std::string command = MAKE_TUNE " '" + tune + "' '" + out + "' 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    std::stringstream said;
    said << std::ifstream(errors).rdbuf();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << bar;
    EXPECT_NE(said.str().find(tune + ":" + says), std::string::npos) << said.str();
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace flakmire
