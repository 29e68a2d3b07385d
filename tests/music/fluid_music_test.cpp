#include "desktop/fluid_music.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

namespace flakmire {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kTune = FLAKMIRE_PROGRAM_DIR "/dropling.mid";
constexpr int kRate = 44100;

class FluidMusicTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  const fs::path dir_ =
      fs::path(::testing::TempDir()) / ("fluid_music." + std::to_string(getpid()));
};

TEST_F(FluidMusicTest, PrefersTheGeneralMidiSoundFontAndSkipsBrokenLinks) {
  for (const char* name : {"readme.txt", "zz.sf2", "aa.sf2", "TimGM6mb.sf2"}) {
    std::ofstream{dir_ / name} << "x";
  }
  fs::create_symlink(dir_ / "gone.sf2", dir_ / "default-GM.sf2");
  EXPECT_EQ(FluidMusic::FindSoundFont({dir_ / "missing", dir_}), dir_ / "TimGM6mb.sf2");
  fs::remove(dir_ / "TimGM6mb.sf2");
  EXPECT_EQ(FluidMusic::FindSoundFont({dir_}), dir_ / "aa.sf2");
  std::ofstream{dir_ / "gone.sf2"} << "x";
  EXPECT_EQ(FluidMusic::FindSoundFont({dir_}), dir_ / "default-GM.sf2");
  EXPECT_EQ(FluidMusic::FindSoundFont({dir_ / "missing"}), "");
}

TEST_F(FluidMusicTest, SaysNothingWithoutASoundFontAFileOrASoundDevice) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  for (const std::string soundFont : {"", "/no/such.sf2", kTune.c_str() /* no soundfont */}) {
    FluidMusic(soundFont).PlayOnce(kTune);
  }
  {
    FluidMusic music;  // this machine's soundfont, and its sound device if it has one
    music.PlayOnce("/no/such/tune.mid");
    music.PlayOnce(FLAKMIRE_SOURCE_DIR "/assets/music/dropling.tune");  // no MIDI file
    music.PlayOnce(kTune);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(FluidMusicTest, PlaysWithoutHoldingUpTheGameAndStopsMidTune) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  {
    FluidMusic music(soundFont, (dir_ / "out.wav").string());
    const auto start = std::chrono::steady_clock::now();
    music.PlayOnce(kTune);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    std::this_thread::sleep_for(300ms);
    music.PlayOnce(kTune);  // from the top again
    std::this_thread::sleep_for(300ms);
  }
  std::ifstream in(dir_ / "out.wav", std::ios::binary);
  const std::string wav(std::istreambuf_iterator<char>(in), {});
  EXPECT_GT(wav.size(), 44u + kRate) << "less than a quarter second of 16-bit stereo";
  EXPECT_NE(wav.find_first_not_of('\0', 44), std::string::npos) << "only silence";
}

TEST(Dropling, SoundsFromBeginningToEnd) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty()) {
    GTEST_SKIP() << "no General MIDI soundfont in /usr/share/sounds/sf2 or /usr/share/soundfonts"
                    " (on Debian: apt install timgm6mb-soundfont)";
  }
  const FluidMusic quiet("");  // silences FluidSynth's log
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.gain", FluidMusic::kGain);
  fluid_settings_setnum(settings, "synth.sample-rate", kRate);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  ASSERT_NE(fluid_synth_sfload(synth, soundFont.c_str(), 1), FLUID_FAILED);
  ASSERT_EQ(fluid_player_add(player, kTune.c_str()), FLUID_OK);
  ASSERT_EQ(fluid_player_play(player), FLUID_OK);

  // The loudness (RMS) of each half second, up to the tune's last tick: past it the player
  // idles a while before it calls itself done.
  std::vector<double> loudness;
  long clipped = 0;
  std::vector<float> left(kRate / 2), right(kRate / 2);
  while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && loudness.size() < 400) {
    const int total = fluid_player_get_total_ticks(player);  // 0 until the file is loaded
    if (total > 0 && fluid_player_get_current_tick(player) >= total) break;
    fluid_synth_write_float(synth, kRate / 2, left.data(), 0, 1, right.data(), 0, 1);
    double sum = 0;
    for (int i = 0; i < kRate / 2; ++i) {
      sum += left[i] * left[i] + right[i] * right[i];
      clipped += (std::abs(left[i]) > 1) + (std::abs(right[i]) > 1);
    }
    loudness.push_back(std::sqrt(sum / kRate));
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);

  ASSERT_GE(loudness.size(), 120u);  // a minute
  EXPECT_LE(loudness.size(), 240u);
  EXPECT_EQ(clipped, 0);
  const size_t quarter = loudness.size() / 4;
  for (size_t q = 0; q < 4; ++q) {
    double sum = 0;
    for (size_t i = q * quarter; i < (q + 1) * quarter; ++i) sum += loudness[i] * loudness[i];
    EXPECT_GT(std::sqrt(sum / quarter), 0.02) << "quarter " << q + 1 << " is nearly silent";
  }
  for (size_t i = 0; i + 1 < loudness.size(); ++i) {  // the last: the final chord dying away
    EXPECT_GT(loudness[i], 0.005) << "a gap in the music at " << i / 2.0 << " s";
  }
}

}  // namespace
}  // namespace flakmire
