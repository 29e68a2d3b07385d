// The tune sounds throughout, and the player stays quiet without a soundfont, file or device (that
// the tune generator reports a mistake in the notes, make_tune_errors.sh shows). Each sound effect
// starts within a frame and ends soon, a flood of one holds few voices, and muting silences
// everything.

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numeric>
#include <optional>
#include <vector>

#include "desktop/fluid_music.h"
#include "desktop/sound_effects.h"

namespace flakmire {
namespace {

const std::string Tune = FLAKMIRE_PROGRAM_DIR "/dropling.mid";
constexpr int Rate = 44100;  // FluidSynth's own sample rate

// A synth on this machine's General MIDI soundfont, rendered offline; skipped without one.
struct Synth : ::testing::Test {
  const std::string soundFont = FluidMusic::FindSoundFont();
  const FluidMusic quiet{""};  // silences FluidSynth's log
  fluid_settings_t* settings = FluidMusic::NewSettings();
  fluid_synth_t* synth = new_fluid_synth(settings);
  void SetUp() override {
    if (soundFont.empty()) GTEST_SKIP() << "no GM soundfont (apt install timgm6mb-soundfont)";
    fluid_synth_sfload(synth, soundFont.c_str(), 1);
  }
  ~Synth() override { delete_fluid_synth(synth), delete_fluid_settings(settings); }
};

TEST_F(Synth, TheTuneSoundsFromBeginningToEndForOneToTwoMinutes) {
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, Tune.c_str()), fluid_player_play(player);
  // The loudness (RMS) of each half second, up to the tune's last tick: past it the player idles
  // a while before it calls itself done.
  std::vector<double> loudness;
  std::vector<float> frames(Rate);  // half a second, left and right interleaved
  while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
         (loudness.empty() ||
          fluid_player_get_current_tick(player) < fluid_player_get_total_ticks(player))) {
    fluid_synth_write_float(synth, Rate / 2, frames.data(), 0, 2, frames.data(), 1, 2);
    loudness.push_back(
        std::sqrt(std::inner_product(frames.begin(), frames.end(), frames.begin(), 0.0) / Rate));
  }
  delete_fluid_player(player);
  ASSERT_TRUE(loudness.size() >= 120 && loudness.size() <= 240) << loudness.size() / 2 << " s";
  for (std::size_t i = 0; i + 1 < loudness.size(); ++i)  // the last: the final chord dying away
    EXPECT_GT(loudness[i], 0.005) << "a gap in the music at " << i / 2.0 << " s";
}

// Each effect alone, rendered a block at a time as the audio thread does: heard in the game's
// frame of its event (1/64 s) and silent by the time given; a bomb whistles downwards. Then one
// event every frame for two seconds, a muted synth, and the tune's channels left alone.
TEST_F(Synth, SoundEffectsStartWithinAFrameEndSoonHoldFewVoicesAndMuteEverything) {
  int block = 0;  // an effect waits for a block to be taken up, and a block in the buffer
  fluid_settings_getint(settings, "audio.period-size", &block);
  EXPECT_LE(2 * block, Rate / 64) << "later than a frame";
  std::vector<float> left(Rate * 5 / 2), right(Rate * 5 / 2);
  std::optional<SoundEffects> fx;
  // 2.5 s from playing `e`, on new effects and a reset synth unless `again`, and again every
  // `every` samples before `until`; returns the most voices the synth held at once.
  const auto render = [&](SoundEvent e, bool again = false, int every = 0, int until = 2 * Rate) {
    if (!again) fluid_synth_system_reset(synth), fx.emplace(synth);
    std::fill(left.begin(), left.end(), 0.0f), std::fill(right.begin(), right.end(), 0.0f);
    int voices = 0;
    for (std::size_t f = 0; f < left.size(); f += std::size_t(block)) {
      if (f == 0 || (every && f < std::size_t(until) && f / every != (f + block) / every))
        fx->Play(e);
      fx->Render(std::min(block, int(left.size() - f)), &left[f], &right[f]);
      voices = std::max(voices, fluid_synth_get_active_voice_count(synth));
    }
    return voices;
  };
  const auto peak = [&](std::size_t from, std::size_t to) {
    float most = 0;
    for (auto i = from; i < to; ++i) most = std::max({most, std::abs(left[i]), std::abs(right[i])});
    return most;
  };
  const auto crossings = [&](std::size_t from) {  // in 10 ms: the higher the pitch, the more
    int n = 0;
    for (std::size_t i = from; i < from + Rate / 100; ++i) n += (left[i] < 0) != (left[i + 1] < 0);
    return n;
  };
  // Seconds until each is over, in the order of SoundEvent: the frequent ones soonest.
  const double over[SoundEventCount] = {0.4, 0.4, 0.7, 0.7, 1, 0.8, 0.7, 1, 1.6, 1.1, 0.6, 2, 1.4};
  for (int e = 0; e < SoundEventCount; ++e) {
    render(SoundEvent(e));
    EXPECT_GT(peak(0, Rate / 64), 0.005) << "effect " << e << " starts late or not at all";
    EXPECT_LT(peak(std::size_t(over[e] * Rate), left.size()), 0.0005) << "effect " << e << " lasts";
  }
  // A cry struck again 50 ms into the first (at the block that takes it up) still rings 120 to
  // 150 ms after, as one struck alone: not cut short by the end meant for the first.
  const std::size_t again = (Rate / 20 - 1) / block * block, rings = Rate * 12 / 100;
  render(SoundEvent::TrooperDeath);
  const float alone = peak(rings, rings + Rate * 3 / 100);
  render(SoundEvent::TrooperDeath, false, Rate / 20, Rate / 20);
  EXPECT_GT(peak(again + rings, again + rings + Rate * 3 / 100), 0.8 * alone);
  render(SoundEvent::BombRelease);
  EXPECT_GT(crossings(Rate * 4 / 100), 1.25 * crossings(Rate * 29 / 100)) << "a bomb's whistle";
  for (int i = 0; i < 5; ++i) fx->Play(SoundEvent::TrooperDeath);  // and once in each frame after
  EXPECT_LE(render(SoundEvent::TrooperDeath, true, Rate / 64), 16) << "voices in a flood";
  // Three at once, each holding its voice for 150 ms: of 128, 42 at most, and never silent.
  EXPECT_GE(fx->Strokes(SoundEvent::TrooperDeath), 14);
  EXPECT_LE(fx->Strokes(SoundEvent::TrooperDeath), 42);
  for (const bool muted : {true, false}) {  // muted, not a sound; then heard again
    fx->SetMuted(muted), render(muted ? SoundEvent::GunnerDeath : SoundEvent::NewLevel, true);
    EXPECT_TRUE(muted ? peak(0, left.size()) == 0 : peak(0, left.size()) > 0.01) << muted;
  }
  for (int channel : {0, 1, 2, 3, 4, 5, 9})
    EXPECT_EQ(fluid_preset_get_num(fluid_synth_get_channel_preset(synth, channel)), 0)
        << "the effects took the tune's channel " << channel + 1;
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

}  // namespace
}  // namespace flakmire
