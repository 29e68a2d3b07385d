// The tune sounds throughout, the player stays quiet without a soundfont, file or device, and the
// tune generator reports a mistake in the notes with its line and writes nothing. Each sound
// effect starts within a frame and ends soon, a flood of one holds few voices, and muting silences
// everything.

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
#include "desktop/sound_effects.h"

namespace flakmire {
namespace {

const std::string Tune = FLAKMIRE_PROGRAM_DIR "/dropling.mid";
constexpr int Rate = 44100;  // FluidSynth's own sample rate

TEST(Dropling, SoundsFromBeginningToEndForOneToTwoMinutes) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty())
    GTEST_SKIP() << "no General MIDI soundfont (apt install timgm6mb-soundfont)";
  const FluidMusic quiet("");  // silences FluidSynth's log
  fluid_settings_t* settings = FluidMusic::NewSettings();
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

// Each effect alone, rendered offline a block of 256 frames at a time as the audio thread does:
// heard in the game's frame of its event (1/64 s), silent by the time given, and unlike any other.
// Then one event every frame for two seconds, and a muted synth; the tune's channels untouched.
TEST(SoundEffects, StartWithinAFrameEndSoonHoldFewVoicesAndMuteEverything) {
  const std::string soundFont = FluidMusic::FindSoundFont();
  if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont";
  const FluidMusic quiet("");
  fluid_settings_t* settings = FluidMusic::NewSettings();
  int block = 0;  // an effect waits for a block to be taken up, and a block in the buffer
  fluid_settings_getint(settings, "audio.period-size", &block);
  EXPECT_LE(2 * block, Rate / 64) << "later than a frame";
  std::vector<float> left(Rate * 5 / 2), right(Rate * 5 / 2);
  // Two and a half seconds from playing `event`, and again every `every` samples for two when that
  // is not 0; returns the most voices the synth held at once.
  const auto render = [&](SoundEffects& fx, fluid_synth_t* synth, SoundEvent event, int every) {
    std::fill(left.begin(), left.end(), 0.0f), std::fill(right.begin(), right.end(), 0.0f);
    int voices = 0;
    for (std::size_t f = 0; f < left.size(); f += 256) {
      if (f == 0 || (every && f < Rate * 2 && f / every != (f + 256) / every)) fx.Play(event);
      fx.Render(static_cast<int>(std::min<std::size_t>(256, left.size() - f)), &left[f], &right[f]);
      voices = std::max(voices, fluid_synth_get_active_voice_count(synth));
    }
    return voices;
  };
  const auto rms = [&](std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += left[i] * left[i] + right[i] * right[i];
    return std::sqrt(sum / double(2 * (to - from)));
  };
  const auto peak = [&](std::size_t from) {
    float most = 0;
    for (std::size_t i = from; i < left.size(); ++i)
      most = std::max({most, std::fabs(left[i]), std::fabs(right[i])});
    return most;
  };
  // Seconds until each is over, in the order of SoundEvent: the frequent ones soonest.
  const double over[SoundEventCount] = {0.4, 0.4, 0.7, 0.7, 1, 0.8, 0.7, 1, 1.6, 1.1, 0.6, 2, 1.4};
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, soundFont.c_str(), 1);
  std::vector<std::vector<double>> shapes;
  for (int e = 0; e < SoundEventCount; ++e) {
    fluid_synth_system_reset(synth);
    SoundEffects fx(synth);
    render(fx, synth, SoundEvent(e), 0);
    EXPECT_GT(rms(0, Rate / 64), 0.001) << "effect " << e << " starts late or not at all";
    EXPECT_LT(peak(std::size_t(over[e] * Rate)), 0.0005) << "effect " << e << " lasts too long";
    // Its first 0.3 s as loudness and brightness (zero crossings) every 10 ms.
    std::vector<double> shape;
    for (std::size_t at = 0; at < std::size_t(Rate * 3 / 10); at += Rate / 100) {
      int crossings = 0;
      for (std::size_t i = at + 1; i < at + Rate / 100; ++i)
        crossings += (left[i - 1] < 0) != (left[i] < 0);
      shape.push_back(rms(at, at + Rate / 100)), shape.push_back(crossings);
    }
    if (e == int(SoundEvent::BombRelease)) {  // from 40 ms to 290 ms
      EXPECT_GT(shape[2 * 4 + 1], 1.25 * shape[2 * 29 + 1]) << "a bomb whistles on the way down";
    }
    for (const std::vector<double>& other : shapes) {
      double loud[2] = {}, bright[2] = {};
      for (std::size_t i = 0; i < shape.size(); ++i) {
        double* sums = i % 2 ? bright : loud;
        sums[0] += std::fabs(shape[i] - other[i]), sums[1] += shape[i] + other[i];
      }
      EXPECT_GT(loud[0] / loud[1] + bright[0] / bright[1], 0.2)
          << "effect " << e << " sounds like " << &other - shapes.data();
    }
    shapes.push_back(shape);
  }
  fluid_synth_system_reset(synth);
  SoundEffects fx(synth);
  for (int i = 0; i < 5; ++i) fx.Play(SoundEvent::TrooperDeath);  // and once in each frame after
  EXPECT_LE(render(fx, synth, SoundEvent::TrooperDeath, Rate / 64), 16) << "voices in a flood";
  // Three at once, each holding its voice for 150 ms: of 128, 42 at most, and never silent.
  EXPECT_GE(fx.Strokes(SoundEvent::TrooperDeath), 14);
  EXPECT_LE(fx.Strokes(SoundEvent::TrooperDeath), 42);
  fx.SetMuted(true);
  render(fx, synth, SoundEvent::GunnerDeath, 0);
  EXPECT_EQ(peak(0), 0.0f) << "muted";
  fx.SetMuted(false);
  render(fx, synth, SoundEvent::NewLevel, 0);
  EXPECT_GT(peak(0), 0.01) << "heard again";
  const auto programs = [synth] {
    std::vector<int> all;
    for (int channel = 0; channel < 16; ++channel) {
      int font = 0, bank = 0, program = -1;
      fluid_synth_get_program(synth, channel, &font, &bank, &program);
      all.push_back(program);
    }
    return all;
  };
  const std::vector<int> before = programs();
  for (int channel : {0, 1, 2, 3, 4, 5, 9})
    EXPECT_EQ(before[channel], 0) << "the effects took the tune's channel " << channel + 1;
  fluid_player_t* player = new_fluid_player(synth);  // and a tune that starts keeps off theirs
  fluid_player_add(player, Tune.c_str()), fluid_player_play(player);
  render(fx, synth, SoundEvent::NewLevel, 0);
  const std::vector<int> after = programs();
  EXPECT_TRUE(std::equal(before.begin() + 6, before.end(), after.begin() + 6));
  delete_fluid_player(player), delete_fluid_synth(synth), delete_fluid_settings(settings);
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
